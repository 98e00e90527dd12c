// A skinned list view pressed on its overlay thousands of times: thumb, page, arrows.
#include "tests/win/skin_scroll_soak.h"

namespace {

using namespace scrollsoaktest;

TEST_F(SoakTest, ListViewPressesLeaveNoHandlesAndTheThumbInPlace)
{
    Soak(MakeListView(), PressKinds());
}

} // namespace
