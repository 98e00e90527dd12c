// Forms (top-level windows), the application object with its message loop
// and dialog keyboard handling, and the screen.
#pragma once

#include "ui/Control.h"

#include <exception>
#include <string>
#include <string_view>
#include <vector>

class TMainMenu;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
enum TBorderIcon : unsigned { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;
using TExceptionEvent = TEvent<TObject*, const std::exception&>;

namespace ui {
extern const TEnumInfo FormBorderStyleInfo;
extern const TEnumInfo BorderIconInfo;
extern const TEnumInfo PositionInfo;
} // namespace ui

class TCustomForm : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomForm>& p);

    // An empty form; a form class with a description calls LoadForm in its constructor.
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Reads the form's description from the RCDATA resource named after its
    // class ("TFORM1" for TForm1), then runs OnCreate.
    void LoadForm();
    // The same from description text (GBK).
    void LoadFormText(std::string_view text);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The control that has (or gets, when the form is activated) the focus.
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }

    // Shows the form, disables the other windows of the program and runs
    // messages until ModalResult is set; then hides it and answers ModalResult.
    int ShowModal();
    bool Modal() const { return modal_; }
    // A modal form ends with mrCancel; otherwise OnCloseQuery and OnClose
    // decide (hide by default; closing the main form ends the program).
    void Close();
    // Frees the form once the messages already queued for it are handled.
    void Release();
    bool CloseQuery();
    bool Active() const;

    // Gives control the focus now (or when the form becomes active).
    void FocusControl(TWinControl* control);
    // Called when a control of the form receives the focus: sends CM_EXIT,
    // CM_FOCUSCHANGED and CM_ENTER. False when the change was refused.
    bool SetFocusedControl(TWinControl* control);
    // A control leaves the form: forget it as active or focused control.
    void ControlRemoving(TControl& control);
    // A main-menu item with this shortcut was found and clicked.
    bool IsShortCut(WORD key, TShiftState shift);

    TCanvas& Canvas() { return *canvas_; }

    RECT ClientRect() const override;
    void SetClientSize(int width, int height) override;
    void WndProc(TMessage& message) override;
    void GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const override;
    void Loaded() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void VisibleChanged() override;
    void PaintWindow(HDC dc) override;
    bool SelfPainted() const override { return true; }
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoCreate();
    virtual void DoClose(TCloseAction& action);

private:
    void ApplyPosition();
    void ApplyClientSize();
    void SizeFromClientSize();
    void CloseModal();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TMainMenu* menu_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool autoScroll_ = false;
    int clientWidth_ = -1;
    int clientHeight_ = -1;
    std::unique_ptr<TCanvas> canvas_;
};

class TForm : public TCustomForm {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

class TApplication : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Registers the common control classes the framework's controls use.
    void Initialize();

    const std::string& Title() const { return title_; }
    void SetTitle(std::string_view title) { title_ = std::string(title); }
    // The first form made by CreateForm: closing it ends the program.
    TCustomForm* MainForm() const { return mainForm_; }

    template <class T>
    T* CreateForm()
    {
        T* form = new T(this);
        if (!mainForm_)
            mainForm_ = form;
        return form;
    }
    template <class T>
    void CreateForm(T*& reference)
    {
        reference = CreateForm<T>();
    }

    // Shows the main form and handles messages until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Handles one message, waiting for it when none is there.
    void HandleMessage();

    // The default exception handling, for use inside a catch block: OnException
    // when assigned, otherwise ShowException.
    void HandleException(TObject* sender);
    // A modal message box with the exception's message, captioned with the title.
    void ShowException(const std::exception& error);
    int MessageBox(std::string_view text, std::string_view caption, UINT flags);

    TExceptionEvent OnException;

private:
    friend class TCustomForm;

    bool ProcessMessage(MSG& message);
    bool IsKeyMessage(const MSG& message);
    void FormDestroyed(TCustomForm* form);

    std::string title_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
};

class TScreen : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(static_cast<std::size_t>(index)); }
    const std::vector<TCustomForm*>& FormList() const { return forms_; }
    // The form whose window is active, or null.
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    // The system's menu font.
    TFont& MenuFont();
    int Width() const;
    int Height() const;

private:
    friend class TCustomForm;

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

    std::vector<TCustomForm*> forms_;
    std::unique_ptr<TFont> menuFont_;
};

namespace ui {
// Registers the framework's component classes by name for the form reader
// (done by Initialize and before any form description is read).
void RegisterFrameworkClasses();

TApplication& TheApplication();
TScreen& TheScreen();

// Gives the process-wide objects their Delphi-style names: Application->Run(),
// Screen->Forms(0). Each is made on first use.
template <auto& Get>
struct TGlobalAccess {
    auto* operator->() const { return &Get(); }
    auto& operator*() const { return Get(); }
    operator decltype(&Get())() const { return &Get(); }
};
} // namespace ui

inline constexpr ui::TGlobalAccess<ui::TheApplication> Application{};
inline constexpr ui::TGlobalAccess<ui::TheScreen> Screen{};
