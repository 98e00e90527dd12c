// A skinned list box pressed on its overlay thousands of times: thumb, page, arrows.
#include "tests/win/skin_scroll_soak.h"

namespace {

using namespace scrollsoaktest;

TEST_F(SoakTest, ListBoxPressesLeaveNoHandlesAndTheThumbInPlace)
{
    Soak(MakeListBox(), PressKinds());
}

} // namespace
