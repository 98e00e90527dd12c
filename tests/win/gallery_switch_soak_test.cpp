// A thousand skin switches in the running gallery with its MDI frame open:
// every switch is re-applied to every form and painted in full, and at the
// end no GDI or USER handle, and no window-procedure thunk, is left behind.
#include "tests/win/gallery_support.h"
#include "tests/win/ui_window_support.h"

#include "gallery/GalleryForm.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Handles.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using gallerytest::Skinned;
using uitest::Pump;
using uitest::PumpUntil;

constexpr int Switches = 1000;

// The skin re-applied at once instead of 250 ms later, and every window of
// the program painted with it before the next switch.
void SwitchTo(const std::string& name, const std::vector<HWND>& windows)
{
    ASSERT_EQ(GalleryForm->ChooseStoredSkin(name), "") << name;
    SkinManager()->RunPendingAction();
    for (const HWND window : windows)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application->ProcessMessages();
}

TEST(GallerySwitchSoak, AThousandSwitchesLeaveNoHandleBehind)
{
    ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
    Application->Initialize();
    Application->CreateForm(GalleryForm);
    GalleryForm->Show();
    ASSERT_TRUE(PumpUntil([] { return Skinned(GalleryForm->Handle()); }));
    GalleryForm->MdiItemClick(nullptr);
    const HWND frame = GalleryForm->MdiFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(PumpUntil([frame] { return Skinned(frame); }));
    const std::vector<HWND> windows{GalleryForm->Handle(), frame};

    // The first switches fill the caches that live as long as the program.
    SwitchTo("墨", windows);
    SwitchTo("瓷青", windows);
    Pump(200);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    for (int i = 0; i < Switches; ++i) {
        SwitchTo(i % 2 == 0 ? "墨" : "瓷青", windows);
        if (HasFatalFailure())
            return;
    }
    Pump(200);
    EXPECT_EQ(GalleryForm->SkinName(), "瓷青");
    EXPECT_TRUE(Skinned(GalleryForm->Handle()));
    EXPECT_TRUE(Skinned(frame));
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);

    Application->DestroyComponents();
    GalleryForm = nullptr;
    FreeSkinManager();
}

} // namespace
