// The media player: a bar of nine buttons (play, pause, stop, next,
// previous, step, back, record, eject) drawn by the framework, driving a
// device of the system's media control interface (winmm).
#pragma once

#include "ui/Control.h"
#include "ui/Exceptions.h"
#include "ui/Sets.h"

#include <string>
#include <string_view>

enum TMPBtnType : unsigned { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
using TButtonSet = TSet<TMPBtnType>;

enum TMPDeviceTypes {
    dtAutoSelect,
    dtAVIVideo,
    dtCDAudio,
    dtDAT,
    dtDigitalVideo,
    dtMMMovie,
    dtOther,
    dtOverlay,
    dtScanner,
    dtSequencer,
    dtVCR,
    dtVideodisc,
    dtWaveAudio
};
enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

// A device command failed; the message is the system's description.
class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};

// doDefault starts true; false skips the button's own command.
using TMPClickEvent = TEvent<TObject*, TMPBtnType, bool&>;

class TMediaPlayer : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TMediaPlayer>& p);

    static constexpr TButtonSet kAllButtons{btPlay, btPause, btStop, btNext, btPrev,
                                            btStep, btBack, btRecord, btEject};

    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string_view value) { fileName_ = std::string(value); }
    TMPDeviceTypes DeviceType() const { return deviceType_; }
    void SetDeviceType(TMPDeviceTypes value) { deviceType_ = value; }
    TButtonSet VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TButtonSet value);
    TButtonSet EnabledButtons() const { return enabledButtons_; }
    void SetEnabledButtons(TButtonSet value);
    TButtonSet ColoredButtons() const { return coloredButtons_; }
    void SetColoredButtons(TButtonSet value);
    // While a device is open, the buttons that make sense in its mode are
    // enabled (within EnabledButtons); with no device open EnabledButtons alone decides.
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool value);

    // The device commands; each raises EMCIDeviceError when the device
    // refuses or none is open.
    void Open();
    void Close();
    void Play();
    void Pause();
    void Resume();
    void Stop();
    void Next();
    void Previous();
    void Step();
    void Back();
    void StartRecording();
    void Eject();

    bool IsOpen() const { return deviceId_ != 0; }
    TMPModes Mode() const;
    // The code of the last command's failure (0 when it succeeded).
    unsigned Error() const { return error_; }
    const std::string& ErrorMessage() const { return errorMessage_; }

    // The buttons that take a click now.
    TButtonSet ActiveButtons() const;
    // The visible button at a point of the client area; false when none.
    bool ButtonAt(POINT p, TMPBtnType& button) const;
    RECT ButtonRect(TMPBtnType button) const;
    // What a click on the button does: OnClick, then (unless it said no) the button's command.
    void ButtonClick(TMPBtnType button);

    void WndProc(TMessage& message) override;

    TMPClickEvent OnClick;

protected:
    void PaintWindow(HDC dc) override;
    bool SelfPainted() const override { return true; }

private:
    void Command(unsigned message, unsigned long flags, void* parameters);
    void Require() const;
    void DrawButton(TCanvas& canvas, TMPBtnType button, bool active);

    std::string fileName_;
    TMPDeviceTypes deviceType_ = dtAutoSelect;
    TButtonSet visibleButtons_ = kAllButtons;
    TButtonSet enabledButtons_ = kAllButtons;
    TButtonSet coloredButtons_ = kAllButtons;
    bool autoEnable_ = true;
    unsigned deviceId_ = 0;
    unsigned error_ = 0;
    std::string errorMessage_;
    // The button under a press, and whether the pointer is still over it.
    int pressed_ = -1;
    bool pressedOver_ = false;
};

namespace ui {
extern const TEnumInfo MPBtnTypeInfo;
extern const TEnumInfo MPDeviceTypesInfo;
} // namespace ui
