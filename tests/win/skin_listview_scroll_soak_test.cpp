// A skinned list view scrolled thousands of times by wheel, keys, code and resizing.
#include "tests/win/skin_scroll_soak.h"

namespace {

using namespace scrollsoaktest;

TEST_F(SoakTest, ListViewScrollsLeaveNoHandlesAndTheThumbInPlace)
{
    Soak(MakeListView(), OtherKinds());
}

} // namespace
