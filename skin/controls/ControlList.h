// The form skinner's side of its control skinners: the list they register
// in, freeing those whose window is gone, unskinning them all when the form
// is unskinned or freed, passing a skin change on, and the hover watchdog.
// The form skinner owns one and answers TSkinControlHost through it.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

class TSkinControl;

class TSkinControlList {
public:
    TSkinControlList() = default;
    TSkinControlList(const TSkinControlList&) = delete;
    TSkinControlList& operator=(const TSkinControlList&) = delete;
    // Unskins and frees what is still listed.
    ~TSkinControlList();

    // Adds skinner unless listed; true when it was listed already.
    bool RegisterControl(TSkinControl& skinner);
    void UnregisterControl(TSkinControl& skinner) noexcept;
    bool Contains(const TSkinControl& skinner) const;
    // The listed skinner of window, else null.
    TSkinControl* Find(HWND window) const;
    // Whether window answers SKM_ISSKINNED with 1.
    static bool IsControlSkinned(HWND window);

    // Frees every skinner whose window has been destroyed (before a rescan);
    // they gave their control's look back when the window went.
    void FreeFinishedControls();
    // Gives every control whose window still exists its own look back, and
    // frees every skinner (the form is unskinned or freed).
    void UnskinAll();
    // Every skinner applies the current skin again.
    void SkinChanged();

    // The hover watchdog: each hot skinner whose window rectangle no longer
    // holds the cursor gets CM_MOUSELEAVE. The form calls it on its timer
    // while HoverPending() (set by WatchHover, cleared when nothing is hot).
    void WatchHover(TSkinControl& skinner);
    bool HoverPending() const noexcept { return hoverPending_; }
    void CheckHover();
    void CheckHover(POINT cursor);

    std::span<TSkinControl* const> Controls() const { return controls_; }

private:
    std::vector<TSkinControl*> controls_;
    bool hoverPending_ = false;
};
