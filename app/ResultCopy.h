// The texts the result list's copy commands put on the clipboard: the whole
// line labelled over four lines, or one of its four texts as it stands.
#pragma once

#include "app/PostalTable.h"

#include <string>

namespace app {

enum class CopyField { All, Group, Region, PostalCode, AreaCode };

// For CopyField::All: "省份：", "地区：", "邮编：" and "区号：" lines joined by
// CR LF, with nothing after the last one. An empty text stays empty.
std::string copyText(const PostalRecord& line, CopyField field);

} // namespace app
