// The date-time picker (the system's SysDateTimePick32): a date with a
// drop-down calendar or up-down arrows, or a time of day; optionally with a
// check box that switches the value off.
#pragma once

#include "ui/Control.h"

#include <windows.h>

#include <string>
#include <string_view>

// Days since 30 December 1899, the time of day as the fraction.
using TDateTime = double;

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };

namespace ui {
extern const TEnumInfo DateTimeKindInfo;
extern const TEnumInfo DTDateModeInfo;
extern const TEnumInfo DTDateFormatInfo;

TDateTime EncodeDateTime(const SYSTEMTIME& time);
SYSTEMTIME DecodeDateTime(TDateTime value);
// "2026-12-09" and "08:30:00"; the parse raises EConvertError for anything else.
std::string FormatDate(TDateTime value);
std::string FormatTime(TDateTime value);
TDateTime ParseDate(std::string_view text);
TDateTime ParseTime(std::string_view text);
} // namespace ui

class TDateTimePicker : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TDateTimePicker>& p);

    explicit TDateTimePicker(TComponent* owner);

    TDateTime DateTime() const;
    void SetDateTime(TDateTime value);
    // The whole days and the fraction of DateTime; setting one keeps the other.
    TDateTime Date() const;
    void SetDate(TDateTime value);
    TDateTime Time() const;
    void SetTime(TDateTime value);
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind value);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode value);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat value);
    bool ShowCheckbox() const { return showCheckbox_; }
    void SetShowCheckbox(bool value);
    // With the check box: whether the value is switched on.
    bool Checked() const;
    void SetChecked(bool value);
    // The calendar is open.
    bool DroppedDown() const;

    void WndProc(TMessage& message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void PushValue();

    TDateTime dateTime_ = 0;
    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDTDateFormat dateFormat_ = dfShort;
    bool showCheckbox_ = false;
    bool checked_ = true;
};
