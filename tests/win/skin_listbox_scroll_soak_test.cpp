// A skinned list box scrolled thousands of times by wheel, keys, code and resizing.
#include "tests/win/skin_scroll_soak.h"

namespace {

using namespace scrollsoaktest;

TEST_F(SoakTest, ListBoxScrollsLeaveNoHandlesAndTheThumbInPlace)
{
    Soak(MakeListBox(), OtherKinds());
}

} // namespace
