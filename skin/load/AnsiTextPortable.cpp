// Without the system's locale comparison, GBK's own case rules stand in.
#include "skin/load/AnsiText.h"

bool AnsiSameText(std::string_view a, std::string_view b)
{
    return GbkSameText(a, b);
}
