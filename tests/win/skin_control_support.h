// Shared by the control skinner tests: a form skinner stand-in over the
// real list, and skinners that paint a known colour or pass everything on.
#pragma once

#include "skin/controls/ControlList.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinControlHost.h"
#include "skin/model/WinSkinData.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

#include <windows.h>

#include <vector>

namespace skincontroltest {

// The colour the test skin gives ButtonFace, and the one the painter uses.
inline constexpr TColor kSkinFace = 0x00336699;
inline constexpr COLORREF kPainted = RGB(0x12, 0xA4, 0x56);

class TestHost : public TSkinControlHost {
public:
    TestHost() { Skin.ButtonFaceColour = kSkinFace; }

    bool RegisterControl(TSkinControl& skinner) override { return List.RegisterControl(skinner); }
    void UnregisterControl(TSkinControl& skinner) noexcept override { List.UnregisterControl(skinner); }
    bool IsControlSkinned(HWND window) const override { return TSkinControlList::IsControlSkinned(window); }
    TCanvas& ControlCanvas() override { return Canvas; }
    TSkinData& SkinData() override { return Skin; }
    void WatchHover(TSkinControl& skinner) override
    {
        ++HoverRequests;
        List.WatchHover(skinner);
    }

    TSkinData Skin{nullptr};
    TCanvas Canvas;
    int HoverRequests = 0;
    // Last: its skinners go before the skin they read.
    TSkinControlList List;
};

// Paints the whole window in kPainted and remembers where it painted.
class PaintingSkinner : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void PaintControl(HDC dc, const RECT& rect) override
    {
        ++Paints;
        LastDC = dc;
        LastRect = rect;
        const ui::UniqueBrush brush(CreateSolidBrush(kPainted));
        FillRect(dc, &rect, brush.get());
    }
    void Unskin() override
    {
        ++Unskins;
        TSkinControl::Unskin();
    }
    bool BeforeProc(TMessage& message) override
    {
        Seen.push_back(message.Msg);
        return TSkinControl::BeforeProc(message);
    }

    int Paints = 0;
    int Unskins = 0;
    HDC LastDC = nullptr;
    RECT LastRect{};
    std::vector<UINT> Seen;
};

// Lets every message through and draws nothing: the interceptor alone.
class PassThroughSkinner : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AfterProc(TMessage&) override {}
};

// Applies the hover convention of the skinners.
class HoverSkinner : public PaintingSkinner {
public:
    using PaintingSkinner::PaintingSkinner;
    void AfterProc(TMessage& message) override
    {
        TrackHover(message);
        PaintingSkinner::AfterProc(message);
    }
};

} // namespace skincontroltest
