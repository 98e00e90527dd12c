#include "skin/model/WinSkinDlg.h"

#include "skin/chrome/WinSkinForm.h"
#include "skin/chrome/WinSkinMenu.h"
#include "skin/load/AnsiText.h"
#include "skin/model/SkinMessages.h"
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
        ownerKey_ = reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
    }
}

TSkinManage::~TSkinManage()
{
    activationState_ = TActivationState::Destroying;
    enabled_ = false;
    timer_.reset();
    DetachAll();
    menuSkinners_.clear();
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
    if (mainSkinData_ == nullptr && skinData->SkinFormtype == sfMainform) {
        mainSkinData_ = skinData;
    }
}

void TSkinManage::RemoveSkinData(TSkinData* skinData)
{
    std::erase(skinDatas_, skinData);
    // A component that is gone must not be asked again.
    if (mainSkinData_ == skinData) {
        mainSkinData_ = nullptr;
    }
    if (pendingSkinData_ == skinData) {
        pendingSkinData_ = nullptr;
    }
}

void TSkinManage::Schedule(TSkinAction action, TSkinData* skinData, unsigned interval)
{
    if (activationState_ != TActivationState::Never) {
        pendingAction_ = action;
        pendingSkinData_ = skinData;
        timer_->SetInterval(interval);
        timer_->SetEnabled(true);
        return;
    }
    // Before the first window is activated there is nothing to switch yet.
    if (action == saActivate) {
        enabled_ = true;
    } else if (action == saDeactivate) {
        enabled_ = false;
    }
}

void TSkinManage::MarkActivated()
{
    if (activationState_ == TActivationState::Never) {
        activationState_ = TActivationState::Activated;
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
            manager->MarkActivated();
            manager->SkinWindow(window);
        } else if (manager != nullptr && code == HCBT_CREATEWND) {
            const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            // Every popup menu, context menu, drop-down or system menu, is a window of this class.
            if ((create.style & WS_CHILD) == 0 && manager->ownerKey_ == 0 && ClassNameOf(window) == "#32768") {
                manager->SkinMenuWindow(window);
            }
            // MDI children are skinned as they are made: they are never activated as top-level windows.
            if ((create.dwExStyle & WS_EX_MDICHILD) != 0) {
                manager->SkinWindow(window);
            }
            // A size grip made after its window was skinned is handed to that window's skinner.
            if ((create.style & WS_CHILD) != 0 && (create.style & SBS_SIZEGRIP) != 0 &&
                ClassNameOf(window) == "ScrollBar") {
                if (TWinSkinForm* skinner = manager->FindFormSkinner(create.hwndParent)) {
                    skinner->SkinChildWindow(window);
                }
            }
        } else if (manager != nullptr && code == HCBT_DESTROYWND) {
            manager->DropMenuWindow(window);
        }
    });
    // Asked again: a handler may have freed the manager.
    const TSkinManage* manager = SkinManager();
    return CallNextHookEx(manager != nullptr ? manager->HookHandle() : nullptr, code, wParam, lParam);
}

bool TSkinManage::SkinWindow(HWND window)
{
    if (!enabled_ || window == nullptr) {
        return false;
    }
    PurgeFormSkinners();
    if (SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1 || FindFormSkinner(window) != nullptr) {
        return false;
    }
    TControl* control = FindFormControl(window);
    if (!activating_ && IsPlainChildWindow(window)) {
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
    TSkinData* skinData = ChooseSkinData(window);
    if (skinData == nullptr || skinData->SkinNotLoaded()) {
        return false;
    }
    auto* form = ui::As<TWinControl>(control);
    // A framework form owns its skinner: it goes while the form is still whole.
    auto skinner = std::make_unique<TWinSkinForm>(form);
    skinner->SetHandle(window);
    skinner->SetOwnerKey(ownerKey_);
    if (form != nullptr) {
        skinner->AttachForm(*skinData, *form);
    } else {
        skinner->AttachWindow(*skinData);
    }
    formSkinners_.push_back(skinner.release());
    PostMessageA(window, SKM_INITSKIN, 0, SkinInitParam);
    return true;
}

TWinSkinForm* TSkinManage::FindFormSkinner(HWND window) const
{
    const auto found = std::find_if(formSkinners_.begin(), formSkinners_.end(),
                                    [window](const TWinSkinForm* skinner) { return skinner->Handle() == window; });
    return found == formSkinners_.end() ? nullptr : *found;
}

void TSkinManage::ForgetFormSkinner(HWND window)
{
    if (activationState_ == TActivationState::Destroying) {
        return;
    }
    const auto found = std::find_if(formSkinners_.begin(), formSkinners_.end(),
                                    [window](const TWinSkinForm* skinner) { return skinner->Handle() == window; });
    if (found != formSkinners_.end()) {
        formSkinners_.erase(found);
    }
}

void TSkinManage::FreeFormSkinner(TWinSkinForm* skinner)
{
    std::erase(formSkinners_, skinner);
    delete skinner;
}

void TSkinManage::DetachAndFree(TWinSkinForm* skinner)
{
    std::erase(formSkinners_, skinner);
    const HWND window = skinner->Handle();
    skinner->Detach();
    delete skinner;
    TWinSkinForm::RepaintWindow(window);
}

void TSkinManage::PurgeFormSkinners()
{
    if (activationState_ == TActivationState::Destroying) {
        return;
    }
    for (std::size_t i = formSkinners_.size(); i-- > 0;) {
        TWinSkinForm* skinner = formSkinners_[i];
        if (skinner->State() == TFormSkinState::Destroyed && skinner->OwnerKey() == ownerKey_) {
            FreeFormSkinner(skinner);
        }
    }
}

void TSkinManage::PurgeAllDestroyed()
{
    if (activationState_ == TActivationState::Destroying) {
        return;
    }
    for (std::size_t i = formSkinners_.size(); i-- > 0;) {
        if (formSkinners_[i]->State() == TFormSkinState::Destroyed) {
            FreeFormSkinner(formSkinners_[i]);
        }
    }
}

void TSkinManage::DetachAll()
{
    enabled_ = false;
    for (std::size_t i = formSkinners_.size(); i-- > 0;) {
        TWinSkinForm* skinner = formSkinners_[i];
        if (skinner->OwnerKey() == ownerKey_) {
            std::erase(formSkinners_, skinner);
            skinner->DetachLight();
            delete skinner;
        }
    }
}

void TSkinManage::SetMdiChildMaximized(bool value)
{
    if (value == mdiChildMaximized_) {
        return;
    }
    mdiChildMaximized_ = value;
    if (mainSkinData_ != nullptr && mainSkinData_->Options.Contains(xoMDIChildBorder)) {
        return;
    }
    for (TWinSkinForm* skinner : formSkinners_) {
        if (skinner->FormKind() != TFormKind::MdiChild) {
            continue;
        }
        if (value) {
            skinner->DropRegion();
            skinner->SetCaptionBits(true);
        } else if (skinner->ShowState() == TShowState::Minimized) {
            skinner->SetCaptionBits(true);
        } else {
            skinner->SetShowState(TShowState::Normal);
            skinner->UpdateRegion();
            skinner->SetCaptionBits(false);
            if (!skinner->OwnsRegion()) {
                skinner->FrameChanged();
            }
        }
    }
}

bool TSkinManage::SkinForm(TCustomForm* form)
{
    if (!form->Visible() || (GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_CHILD) != 0) {
        return true;
    }
    return SkinWindow(form->Handle());
}

void TSkinManage::ReskinForms(TSkinData* skinData)
{
    for (TWinSkinForm* skinner : formSkinners_) {
        if (skinner->SkinDataOf() == skinData) {
            skinner->FreeSysButtons();
        }
    }
}

void TSkinManage::SkinMenuWindow(HWND window)
{
    if (!enabled_ || SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1 || IsMenuWindowSkinned(window)) {
        return;
    }
    TSkinData* skinData = ChooseSkinData(window);
    if (skinData == nullptr || skinData->SkinNotLoaded()) {
        return;
    }
    const TSkinControlTypes& kinds = skinData->SkinControls;
    bool wanted = false;
    switch (menuKind_) {
    case TMenuKind::Popup:
        wanted = kinds.Contains(xcPopupMenu);
        break;
    case TMenuKind::MenuBarDropDown:
        wanted = kinds.Contains(xcMainMenu) || kinds.Contains(xcMenuItem);
        break;
    case TMenuKind::SystemMenu:
        wanted = kinds.Contains(xcSystemMenu);
        break;
    }
    if (!wanted) {
        return;
    }
    auto skinner = std::make_unique<TWinSkinPopMenu>();
    skinner->Attach(window, skinData, nullptr);
    menuSkinners_.push_back(std::move(skinner));
}

bool TSkinManage::DropMenuWindow(HWND window)
{
    const auto found = std::find_if(menuSkinners_.begin(), menuSkinners_.end(),
                                    [window](const auto& skinner) { return skinner->Handle() == window; });
    const bool dropped = found != menuSkinners_.end();
    if (dropped) {
        menuSkinners_.erase(found);
    }
    if (menuSkinners_.empty()) {
        menuKind_ = TMenuKind::Popup;
    }
    return dropped;
}

bool TSkinManage::IsMenuWindowSkinned(HWND window) const
{
    return std::any_of(menuSkinners_.begin(), menuSkinners_.end(),
                       [window](const auto& skinner) { return skinner->Handle() == window; });
}

void TSkinManage::BindMenuHandle(HMENU menu)
{
    const auto bound = [menu](const auto& skinner) { return skinner->MenuHandle() == menu; };
    // Binding a menu that is already shown would take it away from its own window.
    if (menu == nullptr || std::any_of(menuSkinners_.begin(), menuSkinners_.end(), bound)) {
        return;
    }
    const auto free = std::find_if(menuSkinners_.rbegin(), menuSkinners_.rend(),
                                   [](const auto& skinner) { return skinner->MenuHandle() == nullptr; });
    if (free != menuSkinners_.rend()) {
        (*free)->BindMenuHandle(menu);
    }
}

TSkinManage::TMenuBackground TSkinManage::BackgroundFor(HMENU menu) const
{
    const auto found = std::find_if(menuSkinners_.begin(), menuSkinners_.end(),
                                    [menu](const auto& skinner) { return skinner->MenuHandle() == menu; });
    if (found == menuSkinners_.end() || (*found)->Background() == nullptr)
        return {};
    return {(*found)->Background(), (*found)->ClientOffset()};
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
    if (mainSkinData_ == nullptr) {
        return doSkin;
    }
    if (!mainSkinData_->Options.Contains(xoPreview) &&
        LowerCaseAscii(className).find("preview") != std::string::npos) {
        doSkin = false;
    }
    mainSkinData_->DecideFormSkin(window, className, doSkin);
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
    TSkinData* skinData = std::exchange(pendingSkinData_, nullptr);
    const TSkinAction action = std::exchange(pendingAction_, saNone);
    if (skinData == nullptr) {
        return;
    }
    switch (action) {
    case saActivate: {
        enabled_ = true;
        freezePainting_ = false;
        PurgeFormSkinners();
        struct TActivationPass {
            bool& flag;
            explicit TActivationPass(bool& f) : flag(f) { flag = true; }
            ~TActivationPass() { flag = false; }
        } pass(activating_);
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
        break;
    }
    case saDeactivate:
        enabled_ = false;
        PurgeFormSkinners();
        if (skinData->SkinFormtype == sfOnlyThisForm) {
            const auto own = std::find_if(formSkinners_.rbegin(), formSkinners_.rend(), [skinData](const auto* s) {
                return s->SkinDataOf() == skinData;
            });
            if (own != formSkinners_.rend()) {
                DetachAndFree(*own);
            }
        } else {
            while (!formSkinners_.empty()) {
                DetachAndFree(formSkinners_.front());
            }
        }
        break;
    case saReapply: {
        PurgeFormSkinners();
        // Every form drops its buttons before any is re-skinned.
        const std::vector<TWinSkinForm*> skinners = formSkinners_;
        for (TWinSkinForm* skinner : skinners) {
            if (skinner->SkinDataOf() == skinData) {
                skinner->FreeSysButtons();
                skinner->RebuildMetrics();
                if (skinData->SkinFormtype == sfOnlyThisForm) {
                    skinner->Reskin();
                    break;
                }
            }
        }
        if (skinData->SkinFormtype != sfOnlyThisForm) {
            for (TWinSkinForm* skinner : skinners) {
                if (skinner->SkinDataOf() == skinData) {
                    skinner->Reskin();
                }
            }
        }
        break;
    }
    case saPurge:
        PurgeAllDestroyed();
        break;
    case saNone:
        break;
    }
    skinData->NotifySkinChanged();
}
