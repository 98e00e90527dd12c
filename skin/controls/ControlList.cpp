#include "skin/controls/ControlList.h"

#include "skin/controls/SkinControl.h"
#include "skin/model/SkinMessages.h"
#include "ui/Messages.h"

#include <algorithm>
#include <utility>

TSkinControlList::~TSkinControlList() { UnskinAll(); }

bool TSkinControlList::RegisterControl(TSkinControl& skinner)
{
    if (Contains(skinner))
        return true;
    controls_.push_back(&skinner);
    return false;
}

void TSkinControlList::UnregisterControl(TSkinControl& skinner) noexcept
{
    std::erase(controls_, &skinner);
}

bool TSkinControlList::Contains(const TSkinControl& skinner) const
{
    return std::ranges::find(controls_, &skinner) != controls_.end();
}

TSkinControl* TSkinControlList::Find(HWND window) const
{
    const auto found = std::ranges::find_if(controls_, [window](const TSkinControl* s) { return s->Handle() == window; });
    return found == controls_.end() ? nullptr : *found;
}

bool TSkinControlList::IsControlSkinned(HWND window)
{
    return window && SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1;
}

void TSkinControlList::FreeFinishedControls()
{
    std::vector<TSkinControl*> finished;
    std::erase_if(controls_, [&](TSkinControl* s) {
        if (s->Status() != TSkinStatus::WindowDestroyed)
            return false;
        finished.push_back(s);
        return true;
    });
    for (TSkinControl* skinner : finished)
        delete skinner;
}

void TSkinControlList::UnskinAll()
{
    // Taken out first: each skinner unregisters itself as it goes.
    const std::vector<TSkinControl*> all = std::exchange(controls_, {});
    hoverPending_ = false;
    for (TSkinControl* skinner : all) {
        if (skinner->Status() != TSkinStatus::WindowDestroyed)
            skinner->Unskin();
        delete skinner;
    }
}

void TSkinControlList::SkinChanged()
{
    const std::vector<TSkinControl*> all = controls_;
    for (TSkinControl* skinner : all) {
        if (Contains(*skinner))
            skinner->SkinChanged();
    }
}

void TSkinControlList::WatchHover(TSkinControl& skinner)
{
    if (Contains(skinner))
        hoverPending_ = true;
}

void TSkinControlList::CheckHover()
{
    POINT cursor{};
    if (GetCursorPos(&cursor))
        CheckHover(cursor);
}

void TSkinControlList::CheckHover(POINT cursor)
{
    bool stillHot = false;
    const std::vector<TSkinControl*> all = controls_;
    for (TSkinControl* skinner : all) {
        // A leave notification may free other skinners on the way.
        if (!Contains(*skinner) || !(skinner->State() & ssHot) || skinner->Status() != TSkinStatus::Attached)
            continue;
        if (PtInRect(&skinner->WindowRect(), cursor)) {
            stillHot = true;
            continue;
        }
        if (skinner->Handle())
            SendMessageA(skinner->Handle(), CM_MOUSELEAVE, 0, 0);
        else if (TControl* control = skinner->Control())
            control->Perform(CM_MOUSELEAVE, 0, 0);
        if (Contains(*skinner) && (skinner->State() & ssHot))
            stillHot = true;
    }
    hoverPending_ = stillHot;
}
