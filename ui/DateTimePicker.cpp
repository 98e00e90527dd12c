#include "ui/DateTimePicker.h"

#include "ui/Properties.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>

constinit const TClassInfo TDateTimePicker::ClassInfo =
    ui::ClassOf<TDateTimePicker>("TDateTimePicker", TWinControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kKindNames[] = {"dtkDate", "dtkTime"};
constexpr std::string_view kDateModeNames[] = {"dmComboBox", "dmUpDown"};
constexpr std::string_view kDateFormatNames[] = {"dfShort", "dfLong"};
constexpr double kSecondsPerDay = 86400.0;

// Days since 1 March of year 0 in the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe);
}

void CivilFromDays(long long z, int& year, unsigned& month, unsigned& day)
{
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

const long long kEpoch = DaysFromCivil(1899, 12, 30);

bool IsValidDate(int year, unsigned month, unsigned day)
{
    if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    int y = 0;
    unsigned m = 0;
    unsigned d = 0;
    CivilFromDays(DaysFromCivil(year, month, day), y, m, d);
    return m == month && d == day;
}
} // namespace

constinit const TEnumInfo DateTimeKindInfo{"TDateTimeKind", kKindNames};
constinit const TEnumInfo DTDateModeInfo{"TDTDateMode", kDateModeNames};
constinit const TEnumInfo DTDateFormatInfo{"TDTDateFormat", kDateFormatNames};

TDateTime EncodeDateTime(const SYSTEMTIME& time)
{
    const double days = static_cast<double>(DaysFromCivil(time.wYear, time.wMonth, time.wDay) - kEpoch);
    const double seconds = time.wHour * 3600.0 + time.wMinute * 60.0 + time.wSecond;
    return days + seconds / kSecondsPerDay;
}

SYSTEMTIME DecodeDateTime(TDateTime value)
{
    const double whole = std::floor(value);
    auto seconds = static_cast<long long>(std::llround((value - whole) * kSecondsPerDay));
    auto days = static_cast<long long>(whole);
    if (seconds >= static_cast<long long>(kSecondsPerDay)) {
        seconds -= static_cast<long long>(kSecondsPerDay);
        ++days;
    }
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(days + kEpoch, year, month, day);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    // 30 December 1899 was a Saturday.
    time.wDayOfWeek = static_cast<WORD>(((days % 7) + 7 + 6) % 7);
    time.wHour = static_cast<WORD>(seconds / 3600);
    time.wMinute = static_cast<WORD>(seconds / 60 % 60);
    time.wSecond = static_cast<WORD>(seconds % 60);
    return time;
}

std::string FormatDate(TDateTime value)
{
    const SYSTEMTIME t = DecodeDateTime(value);
    char text[16]{};
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", t.wYear % 10000u, t.wMonth % 100u, t.wDay % 100u);
    return text;
}

std::string FormatTime(TDateTime value)
{
    const SYSTEMTIME t = DecodeDateTime(value);
    char text[16]{};
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", t.wHour % 100u, t.wMinute % 100u, t.wSecond % 100u);
    return text;
}

TDateTime ParseDate(std::string_view text)
{
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    char rest = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d-%u-%u%c", &year, &month, &day, &rest) != 3 || !IsValidDate(year, month, day))
        throw EConvertError("'" + copy + "' is not a valid date");
    return static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
}

TDateTime ParseTime(std::string_view text)
{
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    char rest = 0;
    const std::string copy(text);
    const int fields = std::sscanf(copy.c_str(), "%u:%u:%u%c", &hour, &minute, &second, &rest);
    if ((fields != 2 && fields != 3) || hour > 23 || minute > 59 || second > 59)
        throw EConvertError("'" + copy + "' is not a valid time");
    return (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
}

} // namespace ui

void TDateTimePicker::Publish(ui::TPublisher<TDateTimePicker>& p)
{
    p.Text(
        "Date", [](const TDateTimePicker& c) { return ui::FormatDate(c.Date()); },
        [](TDateTimePicker& c, const std::string& text) { c.SetDate(ui::ParseDate(text)); });
    p.Text(
        "Time", [](const TDateTimePicker& c) { return ui::FormatTime(c.Time()); },
        [](TDateTimePicker& c, const std::string& text) { c.SetTime(ui::ParseTime(text)); });
    p.Enum("Kind", ui::DateTimeKindInfo, &TDateTimePicker::Kind, &TDateTimePicker::SetKind).Default(dtkDate);
    p.Enum("DateMode", ui::DTDateModeInfo, &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode)
        .Default(dmComboBox);
    p.Enum("DateFormat", ui::DTDateFormatInfo, &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat)
        .Default(dfShort);
    p.Boolean("ShowCheckbox", &TDateTimePicker::ShowCheckbox, &TDateTimePicker::SetShowCheckbox).Default(0);
    p.Boolean("Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked).Default(1);
    p.Boolean("TabStop", &TDateTimePicker::TabStop, &TDateTimePicker::SetTabStop).Default(1);
    p.Event("OnChange", &TDateTimePicker::OnChange);
    p.Event("OnDropDown", &TDateTimePicker::OnDropDown);
    p.Event("OnCloseUp", &TDateTimePicker::OnCloseUp);
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner)
{
    ui::LoadCommonControls(ICC_DATE_CLASSES);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    dateTime_ = ui::EncodeDateTime(now);
    SetTabStop(true);
    SetColor(clWindow);
    UpdateStoredBounds(0, 0, 186, 21);
}

void TDateTimePicker::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = DATETIMEPICK_CLASSA;
    params.OwnClass = false;
    if (kind_ == dtkTime)
        params.Style |= DTS_TIMEFORMAT;
    else if (dateFormat_ == dfLong)
        params.Style |= DTS_LONGDATEFORMAT;
    if (dateMode_ == dmUpDown || kind_ == dtkTime)
        params.Style |= DTS_UPDOWN;
    if (showCheckbox_)
        params.Style |= DTS_SHOWNONE;
}

void TDateTimePicker::CreateWnd()
{
    TWinControl::CreateWnd();
    PushValue();
}

void TDateTimePicker::DestroyWnd()
{
    dateTime_ = DateTime();
    checked_ = Checked();
    TWinControl::DestroyWnd();
}

void TDateTimePicker::PushValue()
{
    if (!HandleAllocated())
        return;
    SYSTEMTIME time = ui::DecodeDateTime(dateTime_);
    SendMessageA(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    // Some versions of the control want the time even when there is none.
    if (showCheckbox_ && !checked_)
        SendMessageA(WindowHandle(), DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&time));
}

TDateTime TDateTimePicker::DateTime() const
{
    if (HandleAllocated()) {
        SYSTEMTIME time{};
        if (SendMessageA(WindowHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID)
            return ui::EncodeDateTime(time);
    }
    return dateTime_;
}

void TDateTimePicker::SetDateTime(TDateTime value)
{
    dateTime_ = value;
    checked_ = true;
    PushValue();
}

TDateTime TDateTimePicker::Date() const { return std::floor(DateTime()); }

void TDateTimePicker::SetDate(TDateTime value)
{
    const TDateTime now = DateTime();
    SetDateTime(std::floor(value) + (now - std::floor(now)));
}

TDateTime TDateTimePicker::Time() const
{
    const TDateTime now = DateTime();
    return now - std::floor(now);
}

void TDateTimePicker::SetTime(TDateTime value) { SetDateTime(Date() + (value - std::floor(value))); }

void TDateTimePicker::SetKind(TDateTimeKind value)
{
    if (value == kind_)
        return;
    kind_ = value;
    RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode value)
{
    if (value == dateMode_)
        return;
    dateMode_ = value;
    RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat value)
{
    if (value == dateFormat_)
        return;
    dateFormat_ = value;
    RecreateWnd();
}

void TDateTimePicker::SetShowCheckbox(bool value)
{
    if (value == showCheckbox_)
        return;
    showCheckbox_ = value;
    RecreateWnd();
}

bool TDateTimePicker::Checked() const
{
    if (!showCheckbox_)
        return true;
    if (HandleAllocated()) {
        SYSTEMTIME time{};
        return SendMessageA(WindowHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID;
    }
    return checked_;
}

void TDateTimePicker::SetChecked(bool value)
{
    dateTime_ = DateTime();
    checked_ = value;
    PushValue();
}

bool TDateTimePicker::DroppedDown() const
{
    if (!HandleAllocated())
        return false;
    // Some versions keep the calendar window, hidden, while it is closed.
    const auto calendar = reinterpret_cast<HWND>(SendMessageA(WindowHandle(), DTM_GETMONTHCAL, 0, 0));
    return calendar && IsWindowVisible(calendar);
}

void TDateTimePicker::WndProc(TMessage& message)
{
    // Long parameters below 64 KiB are never pointers.
    if (message.Msg == CN_NOTIFY && static_cast<ULONG_PTR>(message.LParam) >= 0x10000) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        switch (header->code) {
        case DTN_DATETIMECHANGE: {
            const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(message.LParam);
            checked_ = change->dwFlags == GDT_VALID;
            if (checked_)
                dateTime_ = ui::EncodeDateTime(change->st);
            OnChange(this);
            message.Result = 0;
            return;
        }
        case DTN_DROPDOWN:
            OnDropDown(this);
            return;
        case DTN_CLOSEUP:
            OnCloseUp(this);
            return;
        default:
            break;
        }
    }
    TWinControl::WndProc(message);
}
