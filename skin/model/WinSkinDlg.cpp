#include "skin/model/WinSkinDlg.h"

#include "skin/load/AnsiText.h"
#include "skin/model/WinSkinData.h"
#include "ui/Control.h"
#include "ui/ExceptionBoundary.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Messages.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

constinit const TClassInfo TSkinManage::ClassInfo = ui::ClassOf<TSkinManage>("TSkinManage", TObject::ClassInfo);

namespace {

constinit TSkinManage* processManager = nullptr;

// Frees the manager when the program ends, after the forms it served.
struct TManagerFinaliser {
    ~TManagerFinaliser() { FreeSkinManager(); }
} managerFinaliser;

std::string ClassNameOf(HWND window)
{
    std::array<char, 256> name{};
    const int length = GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    return std::string(name.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The private message a skinned window answers with 1.
constexpr UINT SKM_ISSKINNED = 0x3523;

} // namespace

TSkinManage* SkinManager() { return processManager; }

TSkinManage& EnsureSkinManager()
{
    if (processManager == nullptr) {
        processManager = new TSkinManage();
    }
    return *processManager;
}

void FreeSkinManager() { delete std::exchange(processManager, nullptr); }

TSkinManage::TSkinManage(TKind kind) : timer_(std::make_unique<TTimer>(nullptr))
{
    timer_->SetEnabled(false);
    timer_->SetInterval(kSkinActionDelay);
    timer_->OnTimer = TNotifyEvent(this, &TSkinManage::OnTimerAction);
    if (kind == TKind::Secondary) {
        OwnerKey = reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
    }
}

TSkinManage::~TSkinManage()
{
    ActivationState = kManagerDestroying;
    Enabled = false;
    timer_.reset();
    skinDatas_.clear();
    hook_.reset();
}

void TSkinManage::InstallHook()
{
    hook_ = ui::UniqueHook(SetWindowsHookExA(WH_CBT, &TSkinManage::HookProc, nullptr, GetCurrentThreadId()));
}

void TSkinManage::AddSkinData(TSkinData* skinData)
{
    skinDatas_.push_back(skinData);
    if (MainSkinData == nullptr && skinData->SkinFormtype == sfMainform) {
        MainSkinData = skinData;
    }
}

void TSkinManage::RemoveSkinData(TSkinData* skinData)
{
    std::erase(skinDatas_, skinData);
    // A component that is gone must not be asked again.
    if (MainSkinData == skinData) {
        MainSkinData = nullptr;
    }
    if (PendingSkinData == skinData) {
        PendingSkinData = nullptr;
    }
}

void TSkinManage::Schedule(TSkinAction action, unsigned interval)
{
    PendingAction = action;
    timer_->SetInterval(interval);
    if (ActivationState != 0) {
        timer_->SetEnabled(true);
        return;
    }
    // Before the first window is activated there is nothing to switch yet.
    if (action == saActivate) {
        Enabled = true;
    } else if (action == saDeactivate) {
        Enabled = false;
    }
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    // A failure while skinning a window (the user's OnFormSkin among the
    // causes) goes to the boundary; the window is activated or made all the same.
    ui::RunGuarded(nullptr, [code, wParam, lParam] {
        TSkinManage* manager = SkinManager();
        const auto window = reinterpret_cast<HWND>(wParam);
        if (manager != nullptr && code == HCBT_ACTIVATE) {
            if (manager->ActivationState == 0) {
                manager->ActivationState = 1;
            }
            manager->SkinWindow(window);
        } else if (manager != nullptr && code == HCBT_CREATEWND) {
            // MDI children are skinned as they are made: they are never activated as top-level windows.
            const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            if ((create.dwExStyle & WS_EX_MDICHILD) != 0) {
                manager->SkinWindow(window);
            }
        }
    });
    // Asked again: a handler may have freed the manager.
    const TSkinManage* manager = SkinManager();
    return CallNextHookEx(manager != nullptr ? manager->HookHandle() : nullptr, code, wParam, lParam);
}

bool TSkinManage::SkinWindow(HWND window)
{
    if (!Enabled || window == nullptr) {
        return false;
    }
    if (SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1) {
        return false;
    }
    TControl* control = FindFormControl(window);
    if (!Activating && IsPlainChildWindow(window)) {
        return false;
    }
    const std::string className = ClassNameOf(window);
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    // Windows of other modules are left alone, dialogs excepted.
    if (control == nullptr && module != GetModuleHandleA(nullptr) && className != "#32770") {
        return false;
    }
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    const bool hasArea = (bounds.right - bounds.left) * (bounds.bottom - bounds.top) != 0;
    // Tag 99 opts a form out, whatever DisableTag says.
    constexpr std::intptr_t kOptOutTag = 99;
    if ((!hasArea && (exStyle & WS_EX_MDICHILD) == 0) || (control != nullptr && control->Tag() == kOptOutTag) ||
        className.find("TcxPopupEditPopupWindow") != std::string::npos || className == "TApplication" ||
        !ShouldSkin(window, className)) {
        return false;
    }
    const TSkinData* skinData = ChooseSkinData(window);
    if (skinData == nullptr || skinData->SkinNotLoaded()) {
        return false;
    }
    // The window qualifies; attaching a form skinner comes with the form chrome.
    return false;
}

bool TSkinManage::SkinForm(TCustomForm* form)
{
    if (!form->Visible() || (GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_CHILD) != 0) {
        return true;
    }
    return SkinWindow(form->Handle());
}

void TSkinManage::ReskinForms()
{
    // Form skinners drop their title-bar buttons here once they exist.
}

TSkinData* TSkinManage::ChooseSkinData(HWND window) const
{
    const auto lastOf = [this](auto&& wanted) -> TSkinData* {
        const auto found = std::find_if(skinDatas_.rbegin(), skinDatas_.rend(), wanted);
        return found == skinDatas_.rend() ? nullptr : *found;
    };
    if (TSkinData* own = lastOf([window](const TSkinData* d) {
            const auto* form = ui::As<TCustomForm>(d->Owner());
            return d->SkinFormtype == sfOnlyThisForm && form != nullptr && form->WindowHandle() == window;
        })) {
        return own;
    }
    const std::string className = LowerCaseAscii(ClassNameOf(window));
    if (className == "tmessageform" || className == "#32770") {
        if (TSkinData* dialog = lastOf([](const TSkinData* d) { return d->SkinFormtype == sfDialog; })) {
            return dialog;
        }
    }
    if (TSkinData* main = lastOf([](const TSkinData* d) { return d->SkinFormtype == sfMainform; })) {
        return main;
    }
    return skinDatas_.empty() ? nullptr : skinDatas_.front();
}

bool TSkinManage::ShouldSkin(HWND window, std::string_view className) const
{
    bool doSkin = true;
    if (MainSkinData == nullptr) {
        return doSkin;
    }
    if (!MainSkinData->Options.Contains(xoPreview) &&
        LowerCaseAscii(className).find("preview") != std::string::npos) {
        doSkin = false;
    }
    MainSkinData->DecideFormSkin(window, className, doSkin);
    return doSkin;
}

TControl* TSkinManage::FindFormControl(HWND window) const
{
    for (TCustomForm* form : Screen->FormList()) {
        if (form->WindowHandle() == window) {
            return form;
        }
    }
    return ui::FindControl(window);
}

bool TSkinManage::IsPlainChildWindow(HWND window)
{
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0 ||
        (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0) {
        return false;
    }
    return LowerCaseAscii(ClassNameOf(GetParent(window))) != "mdiclient";
}

void TSkinManage::OnTimerAction(TObject*)
{
    timer_->SetEnabled(false);
    TSkinData* skinData = std::exchange(PendingSkinData, nullptr);
    if (skinData == nullptr) {
        return;
    }
    switch (PendingAction) {
    case saActivate:
        Enabled = true;
        FreezePainting = false;
        Activating = true;
        if (skinData->SkinFormtype == sfOnlyThisForm) {
            if (auto* form = ui::As<TCustomForm>(skinData->Owner())) {
                SkinForm(form);
            }
        } else {
            const auto& forms = Screen->FormList();
            for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
                SkinForm(*it);
            }
        }
        Activating = false;
        break;
    case saDeactivate:
        Enabled = false;
        break;
    case saReapply:
    case saPurge:
    case saNone:
        // Re-applying and purging concern form skinners, which come with the form chrome.
        break;
    }
    skinData->NotifySkinChanged();
}
