// The gallery's pages: every standard control of the framework, each in the
// states a user meets (enabled and disabled, focused, checked, grey, down,
// read-only, empty and full, scrolled, both orientations).
#pragma once

#include <string_view>

class TPageControl;
class TTabSheet;

namespace gallery {

// The page captions, in order.
inline constexpr std::string_view kPageCaptions[] = {"按钮", "文本", "列表", "刻度", "标签页"};

// Adds the pages to pages and fills them.
void BuildPages(TPageControl& pages);

} // namespace gallery
