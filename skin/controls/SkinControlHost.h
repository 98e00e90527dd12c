// What a control skinner needs of the form skinner whose list holds it. The
// form skinner of a top-level window implements this; the list logic behind
// it is TSkinControlList (ControlList.h), which the form skinner owns.
#pragma once

#include <windows.h>

class TCanvas;
class TSkinControl;
class TSkinData;

class TSkinControlHost {
public:
    // Adds skinner unless it is listed already; true when it was.
    virtual bool RegisterControl(TSkinControl& skinner) = 0;
    // Takes skinner off the list; nothing when it is not there.
    virtual void UnregisterControl(TSkinControl& skinner) noexcept = 0;
    // Whether the window answers SKM_ISSKINNED with 1.
    virtual bool IsControlSkinned(HWND window) const = 0;
    // The one drawing canvas every skinner of the form borrows; skinners set
    // its DC before drawing and clear it afterwards.
    virtual TCanvas& ControlCanvas() = 0;
    virtual TSkinData& SkinData() = 0;
    // The pointer is over skinner's control: the hover watchdog now watches
    // it and sends CM_MOUSELEAVE when the cursor has left its window rectangle.
    virtual void WatchHover(TSkinControl& skinner) = 0;

protected:
    TSkinControlHost() = default;
    TSkinControlHost(const TSkinControlHost&) = default;
    TSkinControlHost& operator=(const TSkinControlHost&) = default;
    ~TSkinControlHost() = default;
};
