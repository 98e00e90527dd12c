// Shared by the tests of skinned live windows: the manager switched on for
// the edge test skin with painted borders, framework forms shown and given
// time to be skinned, and what the screen shows of them.
#pragma once

#include "tests/win/frame_skin_support.h"
#include "tests/win/skin_window_support.h"
#include "tests/win/ui_window_support.h"

#include "skin/model/WinSkinDlg.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace frametest {

using uitest::Pump;
using uitest::PumpUntil;

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 200;

using skinwin::ClientSize;
using skinwin::Contains;
using skinwin::ScreenOf;
using skinwin::WindowSize;

class SkinnedFormTest : public FrameSkinTest {
protected:
    void SetUp() override
    {
        FrameSkinTest::SetUp();
        // Borders of known colours and no title-bar buttons, so that every
        // pixel of the frame is one a test can name.
        PaintBorders(*skin);
        skin->CaptionButtons.clear();
        // Where a test wants the mouse, it puts it; elsewhere it is out of the way.
        SetCursorPos(1250, 1000);
    }

    void TearDown() override
    {
        forms.clear();
        Pump(10);
        FrameSkinTest::TearDown();
    }

    TSkinManage& Manager() { return skinwin::SwitchedOnManager(*skin); }

    // A framework form with an empty caption (the title band shows only the
    // border picture), shown and given time for the skinner's initialisation.
    TForm& ShowForm(const std::function<void(TForm&)>& prepare = {})
    {
        Manager();
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 400, 300);
        form->SetClientSize(kClientWidth, kClientHeight);
        form->SetCaption("");
        if (prepare)
            prepare(*form);
        TForm& shown = *form;
        forms.push_back(std::move(form));
        shown.Show();
        Pump(100);
        return shown;
    }

    std::vector<std::unique_ptr<TForm>> forms;
};


} // namespace frametest
