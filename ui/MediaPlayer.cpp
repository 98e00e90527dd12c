#include "ui/MediaPlayer.h"

#include "ui/DcGuards.h"
#include "ui/Properties.h"

#include <mmsystem.h>
#include <windowsx.h>

#include <array>
#include <vector>

constinit const TClassInfo TMediaPlayer::ClassInfo = ui::ClassOf<TMediaPlayer>("TMediaPlayer", TWinControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kButtonNames[] = {"btPlay", "btPause", "btStop", "btNext", "btPrev",
                                             "btStep", "btBack", "btRecord", "btEject"};
constexpr std::string_view kDeviceTypeNames[] = {
    "dtAutoSelect", "dtAVIVideo", "dtCDAudio", "dtDAT",   "dtDigitalVideo", "dtMMMovie",  "dtOther",
    "dtOverlay",    "dtScanner",  "dtSequencer", "dtVCR", "dtVideodisc",    "dtWaveAudio"};
// What the system calls each device type.
constexpr const char* kDeviceTypeTexts[] = {"",        "AVIVideo", "CDAudio", "DAT",       "DigitalVideo",
                                            "MMMovie", "Other",    "Overlay", "Scanner",   "Sequencer",
                                            "VCR",     "Videodisc", "WaveAudio"};
constexpr int kButtonCount = 9;

// A glyph's colour when the button is shown coloured.
constexpr TColor kGlyphColours[kButtonCount] = {
    TColor(0x008000), TColor(0x00A0A0), TColor(0x000080), TColor(0x800000), TColor(0x800000),
    TColor(0x800000), TColor(0x800000), TColor(0x0000C0), TColor(0x404040)};

std::string DeviceErrorText(MCIERROR code)
{
    char text[256]{};
    if (!mciGetErrorStringA(code, text, sizeof text) || text[0] == 0)
        return "Media device error " + std::to_string(code);
    return text;
}
} // namespace
constinit const TEnumInfo MPBtnTypeInfo{"TMPBtnType", kButtonNames};
constinit const TEnumInfo MPDeviceTypesInfo{"TMPDeviceTypes", kDeviceTypeNames};
} // namespace ui

void TMediaPlayer::Publish(ui::TPublisher<TMediaPlayer>& p)
{
    p.Text("FileName", &TMediaPlayer::FileName, &TMediaPlayer::SetFileName);
    p.Enum("DeviceType", ui::MPDeviceTypesInfo, &TMediaPlayer::DeviceType, &TMediaPlayer::SetDeviceType)
        .Default(dtAutoSelect);
    p.Set("VisibleButtons", ui::MPBtnTypeInfo, &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons)
        .Default(kAllButtons.Bits());
    p.Set("EnabledButtons", ui::MPBtnTypeInfo, &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons)
        .Default(kAllButtons.Bits());
    p.Set("ColoredButtons", ui::MPBtnTypeInfo, &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons)
        .Default(kAllButtons.Bits());
    p.Boolean("AutoEnable", &TMediaPlayer::AutoEnable, &TMediaPlayer::SetAutoEnable).Default(1);
    p.Boolean("TabStop", &TMediaPlayer::TabStop, &TMediaPlayer::SetTabStop).Default(1);
    p.Event("OnClick", &TMediaPlayer::OnClick);
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    UpdateStoredBounds(0, 0, 253, 30);
}

TMediaPlayer::~TMediaPlayer()
{
    if (deviceId_ != 0)
        mciSendCommandA(deviceId_, MCI_CLOSE, MCI_WAIT, 0);
}

void TMediaPlayer::SetVisibleButtons(TButtonSet value)
{
    visibleButtons_ = value;
    Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet value)
{
    enabledButtons_ = value;
    Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet value)
{
    coloredButtons_ = value;
    Invalidate();
}

void TMediaPlayer::SetAutoEnable(bool value)
{
    autoEnable_ = value;
    Invalidate();
}

// ---- the device

void TMediaPlayer::Command(unsigned message, unsigned long flags, void* parameters)
{
    const MCIERROR code = mciSendCommandA(deviceId_, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
    error_ = static_cast<unsigned>(code);
    errorMessage_ = code == 0 ? std::string() : ui::DeviceErrorText(code);
    Invalidate();
    if (code != 0)
        throw EMCIDeviceError(errorMessage_);
}

void TMediaPlayer::Require() const
{
    if (deviceId_ == 0)
        throw EMCIDeviceError("No media device is open");
}

void TMediaPlayer::Open()
{
    if (deviceId_ != 0)
        Close();
    MCI_OPEN_PARMSA open{};
    unsigned long flags = MCI_WAIT;
    if (!fileName_.empty()) {
        open.lpstrElementName = fileName_.c_str();
        flags |= MCI_OPEN_ELEMENT;
    }
    if (deviceType_ != dtAutoSelect) {
        open.lpstrDeviceType = ui::kDeviceTypeTexts[deviceType_];
        flags |= MCI_OPEN_TYPE;
    }
    if (flags == MCI_WAIT) {
        error_ = MCIERR_MISSING_PARAMETER;
        errorMessage_ = ui::DeviceErrorText(MCIERR_MISSING_PARAMETER);
        throw EMCIDeviceError(errorMessage_);
    }
    Command(MCI_OPEN, flags, &open);
    deviceId_ = open.wDeviceID;
}

void TMediaPlayer::Close()
{
    if (deviceId_ == 0)
        return;
    MCI_GENERIC_PARMS close{};
    const unsigned id = deviceId_;
    deviceId_ = 0;
    const MCIERROR code = mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
    error_ = static_cast<unsigned>(code);
    errorMessage_ = code == 0 ? std::string() : ui::DeviceErrorText(code);
    Invalidate();
}

void TMediaPlayer::Play()
{
    Require();
    MCI_PLAY_PARMS play{};
    Command(MCI_PLAY, 0, &play);
}

void TMediaPlayer::Pause()
{
    Require();
    MCI_GENERIC_PARMS pause{};
    Command(MCI_PAUSE, MCI_WAIT, &pause);
}

void TMediaPlayer::Resume()
{
    Require();
    MCI_GENERIC_PARMS resume{};
    Command(MCI_RESUME, MCI_WAIT, &resume);
}

void TMediaPlayer::Stop()
{
    Require();
    MCI_GENERIC_PARMS stop{};
    Command(MCI_STOP, MCI_WAIT, &stop);
}

void TMediaPlayer::Next()
{
    Require();
    MCI_SEEK_PARMS seek{};
    Command(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END, &seek);
}

void TMediaPlayer::Previous()
{
    Require();
    MCI_SEEK_PARMS seek{};
    Command(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, &seek);
}

void TMediaPlayer::Step()
{
    Require();
    MCI_GENERIC_PARMS step{};
    Command(MCI_STEP, MCI_WAIT, &step);
}

void TMediaPlayer::Back()
{
    Require();
    MCI_GENERIC_PARMS step{};
    // Digital video and animation devices share this flag; others refuse it.
    Command(MCI_STEP, MCI_WAIT | MCI_ANIM_STEP_REVERSE, &step);
}

void TMediaPlayer::StartRecording()
{
    Require();
    MCI_RECORD_PARMS record{};
    Command(MCI_RECORD, 0, &record);
}

void TMediaPlayer::Eject()
{
    Require();
    MCI_SET_PARMS set{};
    Command(MCI_SET, MCI_WAIT | MCI_SET_DOOR_OPEN, &set);
}

TMPModes TMediaPlayer::Mode() const
{
    if (deviceId_ == 0)
        return mpNotReady;
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (mciSendCommandA(deviceId_, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) != 0)
        return mpNotReady;
    switch (status.dwReturn) {
    case MCI_MODE_STOP:
        return mpStopped;
    case MCI_MODE_PLAY:
        return mpPlaying;
    case MCI_MODE_RECORD:
        return mpRecording;
    case MCI_MODE_SEEK:
        return mpSeeking;
    case MCI_MODE_PAUSE:
        return mpPaused;
    case MCI_MODE_OPEN:
        return mpOpen;
    default:
        return mpNotReady;
    }
}

// ---- the buttons

TButtonSet TMediaPlayer::ActiveButtons() const
{
    if (!Enabled())
        return {};
    TButtonSet active = enabledButtons_ * visibleButtons_;
    if (!autoEnable_ || deviceId_ == 0)
        return active;
    switch (Mode()) {
    case mpPlaying:
        return active - TButtonSet{btPlay, btRecord};
    case mpRecording:
        return active - TButtonSet{btPlay, btRecord, btStep, btBack};
    case mpPaused:
        return active - TButtonSet{btRecord};
    case mpStopped:
    case mpOpen:
    case mpSeeking:
        return active - TButtonSet{btPause, btStop};
    default:
        return TButtonSet{btEject} * active;
    }
}

RECT TMediaPlayer::ButtonRect(TMPBtnType button) const
{
    const RECT client = ClientRect();
    std::vector<int> shown;
    for (int i = 0; i < ui::kButtonCount; ++i) {
        if (visibleButtons_.Contains(static_cast<TMPBtnType>(i)))
            shown.push_back(i);
    }
    const auto count = static_cast<int>(shown.size());
    for (int slot = 0; slot < count; ++slot) {
        if (shown[static_cast<std::size_t>(slot)] != static_cast<int>(button))
            continue;
        const int width = client.right - client.left;
        return RECT{client.left + width * slot / count, client.top, client.left + width * (slot + 1) / count,
                    client.bottom};
    }
    return RECT{};
}

bool TMediaPlayer::ButtonAt(POINT p, TMPBtnType& button) const
{
    for (int i = 0; i < ui::kButtonCount; ++i) {
        const auto candidate = static_cast<TMPBtnType>(i);
        const RECT r = ButtonRect(candidate);
        if (visibleButtons_.Contains(candidate) && PtInRect(&r, p)) {
            button = candidate;
            return true;
        }
    }
    return false;
}

void TMediaPlayer::ButtonClick(TMPBtnType button)
{
    bool doDefault = true;
    OnClick(this, button, doDefault);
    if (!doDefault)
        return;
    switch (button) {
    case btPlay:
        Play();
        break;
    case btPause:
        if (Mode() == mpPaused)
            Resume();
        else
            Pause();
        break;
    case btStop:
        Stop();
        break;
    case btNext:
        Next();
        break;
    case btPrev:
        Previous();
        break;
    case btStep:
        Step();
        break;
    case btBack:
        Back();
        break;
    case btRecord:
        StartRecording();
        break;
    case btEject:
        Eject();
        break;
    }
}

void TMediaPlayer::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TMPBtnType button = btPlay;
        if (ButtonAt(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}, button) &&
            ActiveButtons().Contains(button)) {
            pressed_ = static_cast<int>(button);
            pressedOver_ = true;
            SetCapture(WindowHandle());
            Invalidate();
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (pressed_ >= 0) {
            TMPBtnType button = btPlay;
            const bool over = ButtonAt(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}, button) &&
                              static_cast<int>(button) == pressed_;
            if (over != pressedOver_) {
                pressedOver_ = over;
                Invalidate();
            }
        }
        break;
    case WM_LBUTTONUP:
        if (pressed_ >= 0) {
            const auto button = static_cast<TMPBtnType>(pressed_);
            const bool over = pressedOver_;
            pressed_ = -1;
            pressedOver_ = false;
            if (GetCapture() == WindowHandle())
                ReleaseCapture();
            Invalidate();
            TWinControl::WndProc(message);
            if (over)
                ButtonClick(button);
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        if (pressed_ >= 0 && reinterpret_cast<HWND>(message.LParam) != WindowHandle()) {
            pressed_ = -1;
            pressedOver_ = false;
            Invalidate();
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ---- painting

void TMediaPlayer::PaintWindow(HDC dc)
{
    TCanvas canvas;
    const ui::ScopedCanvasBinding binding(canvas, dc);
    const TButtonSet active = ActiveButtons();
    for (int i = 0; i < ui::kButtonCount; ++i) {
        const auto button = static_cast<TMPBtnType>(i);
        if (visibleButtons_.Contains(button))
            DrawButton(canvas, button, active.Contains(button));
    }
}

void TMediaPlayer::DrawButton(TCanvas& canvas, TMPBtnType button, bool active)
{
    RECT face = ButtonRect(button);
    const bool down = pressed_ == static_cast<int>(button) && pressedOver_;
    DrawFrameControl(canvas.Handle(), &face, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));

    const TColor colour =
        !active ? clGrayText : coloredButtons_.Contains(button) ? ui::kGlyphColours[button] : clBtnText;
    canvas.Brush().SetColor(colour);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetColor(colour);
    // A glyph of 12 by 10 pixels, centred, pressed one pixel down to the right.
    const int x = (face.left + face.right) / 2 - 6 + (down ? 1 : 0);
    const int y = (face.top + face.bottom) / 2 - 5 + (down ? 1 : 0);
    auto triangle = [&](int left, int width, bool right) {
        const std::array<POINT, 3> points =
            right ? std::array<POINT, 3>{POINT{left, y}, POINT{left + width, y + 5}, POINT{left, y + 10}}
                  : std::array<POINT, 3>{POINT{left + width, y}, POINT{left, y + 5}, POINT{left + width, y + 10}};
        canvas.Polygon(points);
    };
    auto bar = [&](int left, int width) { canvas.FillRect(RECT{left, y, left + width, y + 11}); };
    switch (button) {
    case btPlay:
        triangle(x + 2, 8, true);
        break;
    case btPause:
        bar(x + 2, 3);
        bar(x + 7, 3);
        break;
    case btStop:
        canvas.FillRect(RECT{x + 1, y, x + 11, y + 10});
        break;
    case btNext:
        triangle(x + 1, 7, true);
        bar(x + 9, 2);
        break;
    case btPrev:
        bar(x + 1, 2);
        triangle(x + 4, 7, false);
        break;
    case btStep:
        triangle(x, 5, true);
        triangle(x + 6, 5, true);
        break;
    case btBack:
        triangle(x + 1, 5, false);
        triangle(x + 7, 5, false);
        break;
    case btRecord:
        canvas.Ellipse(RECT{x + 1, y, x + 11, y + 10});
        break;
    case btEject: {
        const std::array<POINT, 3> points{POINT{x + 1, y + 6}, POINT{x + 6, y}, POINT{x + 11, y + 6}};
        canvas.Polygon(points);
        canvas.FillRect(RECT{x + 1, y + 8, x + 12, y + 10});
        break;
    }
    }
}
