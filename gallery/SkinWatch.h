// Reloading an unpacked skin folder while its author edits it. The watcher
// looks at the folder's listing on each poll and reloads once a changed
// listing has held still for one more poll, because an editor saves a file
// in several steps. A folder that fails is reported once per change, and
// then waits for the next change.
#pragma once

#include "skin/load/SkinFolder.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TTimer;

namespace gallery {

class TSkinWatch {
public:
    using TListing = std::vector<TSkinFolderFile>;
    // The folder's listing as it is now.
    using TLister = std::function<TListing()>;
    // Packs and applies the folder: empty when its skin is in force, else
    // the reason the current skin stayed.
    using TReload = std::function<std::string()>;
    // Told the outcome of each reload.
    using TReported = std::function<void(const std::string& reason)>;

    // The listing at construction is the one the current skin came from.
    TSkinWatch(TLister lister, TReload reload, TReported reported);
    ~TSkinWatch();
    TSkinWatch(const TSkinWatch&) = delete;
    TSkinWatch& operator=(const TSkinWatch&) = delete;

    // Polls every interval milliseconds from the message loop.
    void Start(unsigned interval);
    // One look at the folder; reloads when the change has settled.
    void Poll();
    // How many reloads were tried.
    int Reloads() const { return reloads_; }

private:
    TLister lister_;
    TReload reload_;
    TReported reported_;
    TListing loaded_;
    std::optional<TListing> changed_;
    int reloads_ = 0;
    std::unique_ptr<TTimer> timer_;
};

} // namespace gallery
