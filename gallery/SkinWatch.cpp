#include "gallery/SkinWatch.h"

#include "ui/ExtCtrls.h"

#include <utility>

namespace gallery {

TSkinWatch::TSkinWatch(TLister lister, TReload reload, TReported reported)
    : lister_(std::move(lister)), reload_(std::move(reload)), reported_(std::move(reported)), loaded_(lister_())
{
}

TSkinWatch::~TSkinWatch() = default;

void TSkinWatch::Start(unsigned interval)
{
    if (!timer_) {
        timer_ = std::make_unique<TTimer>(nullptr);
        timer_->OnTimer = TNotifyEvent([this](TObject*) { Poll(); });
    }
    timer_->SetInterval(interval);
    timer_->SetEnabled(true);
}

void TSkinWatch::Poll()
{
    TListing now = lister_();
    if (now == loaded_) {
        changed_.reset();
        return;
    }
    if (!changed_ || *changed_ != now) {
        changed_ = std::move(now);
        return;
    }
    // Whatever the outcome, this state of the folder is not tried again.
    loaded_ = std::move(*changed_);
    changed_.reset();
    ++reloads_;
    const std::string reason = reload_();
    reported_(reason);
}

} // namespace gallery
