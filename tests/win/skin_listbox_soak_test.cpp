// A skinned list box through thousands of scrolls of every kind.
#include "tests/win/skin_scroll_soak.h"

#include <string>

namespace {

using namespace scrollsoaktest;

TEST_F(SoakTest, ListBoxKeepsNoHandlesAndItsThumbInPlace)
{
    auto* list = new TListBox(form.get());
    list->SetBounds(10, 10, 160, 110);
    list->SetParent(form.get());
    for (int i = 0; i < kItems; ++i)
        list->Items().Add(std::to_string(i));
    auto* skinner = new TSkinScrollbar(list);
    skinner->InitScrolled(*list, &host->Skin, host.get(), &host->Canvas);
    SoakEveryKind(Subject{"list box", list, skinner, false});
}

} // namespace
