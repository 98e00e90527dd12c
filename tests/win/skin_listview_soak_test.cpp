// A skinned list view through thousands of scrolls of every kind.
#include "tests/win/skin_scroll_soak.h"

#include "skin/controls/SkinListView.h"
#include "ui/ComCtrls.h"

#include <string>

namespace {

using namespace scrollsoaktest;

TEST_F(SoakTest, ListViewKeepsNoHandlesAndItsThumbInPlace)
{
    // Clear of the list box's form, should both programs run at once.
    form->SetBounds(420, 60, 320, 220);
    auto* view = new TListView(form.get());
    view->SetBounds(10, 10, 240, 130);
    view->SetViewStyle(vsReport);
    TListColumn* column = view->Columns().Add();
    column->SetCaption("名称");
    column->SetWidth(120);
    for (int i = 0; i < kItems; ++i)
        view->Items().Add()->SetCaption(std::to_string(i));
    view->SetParent(form.get());
    auto* skinner = new TSkinListView(view);
    skinner->InitScrolled(*view, &host->Skin, host.get(), &host->Canvas);
    SoakEveryKind(Subject{"list view", view, skinner, true});
}

} // namespace
