#include "app/ResultCopy.h"

namespace app {

std::string copyText(const PostalRecord& line, CopyField field)
{
    switch (field) {
    case CopyField::Group:
        return line.group;
    case CopyField::Region:
        return line.region;
    case CopyField::PostalCode:
        return line.postalCode;
    case CopyField::AreaCode:
        return line.areaCode;
    case CopyField::All:
        break;
    }
    return "省份：" + line.group + "\r\n地区：" + line.region + "\r\n邮编：" + line.postalCode + "\r\n区号：" +
           line.areaCode;
}

} // namespace app
