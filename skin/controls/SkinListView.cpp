#include "skin/controls/SkinListView.h"

#include "skin/controls/SkinHeader.h"

#include <commctrl.h>

constinit const TClassInfo TSkinListView::ClassInfo =
    ui::ClassOf<TSkinListView>("TSkinListView", TSkinScrollbar::ClassInfo);

TSkinListView::TSkinListView(TComponent* owner) : TSkinScrollbar(owner) {}

TSkinListView::~TSkinListView() { *FAlive = false; }

void TSkinListView::InitScrolled(TControl& control, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinScrollbar::InitScrolled(control, skinData, form, canvas);
    if (!FHandle)
        return;
    const auto header = reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETHEADER, 0, 0));
    if (!header)
        return;
    FHeader = new TSkinHeader(&control);
    FHeader->InitHandle(header, skinData, form, canvas);
}
