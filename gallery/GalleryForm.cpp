#include "gallery/GalleryForm.h"

#include "gallery/GalleryDialog.h"
#include "gallery/GalleryPages.h"
#include "gallery/MdiApp.h"
#include "gallery/SkinSwitch.h"
#include "gallery/SkinWatch.h"
#include "skin/load/MessageDialog.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/WinSkinData.h"
#include "ui/Bitmap.h"
#include "ui/ImageList.h"
#include "ui/PageControl.h"
#include "ui/Properties.h"
#include "ui/StatusBar.h"
#include "ui/ToolBar.h"

#include <windows.h>

#include <commdlg.h>

#include <array>
#include <utility>

TGalleryForm* GalleryForm = nullptr;

constinit const TClassInfo TGalleryForm::ClassInfo = ui::ClassOf<TGalleryForm>("TGalleryForm", TForm::ClassInfo);

namespace {

constexpr int kPagesTop = 30;
constexpr int kStatusHeight = 20;
constexpr int kSkinPanelWidth = 200;
constexpr unsigned kWatchInterval = 500;

// The loader's messages to the user, kept instead of shown while it lives:
// a watched folder reports in the status bar.
class TCaughtMessages {
public:
    TCaughtMessages() : previous_(SetMessageDialogHook([this](std::string_view text) { text_.assign(text); })) {}
    ~TCaughtMessages() { SetMessageDialogHook(std::move(previous_)); }
    TCaughtMessages(const TCaughtMessages&) = delete;
    TCaughtMessages& operator=(const TCaughtMessages&) = delete;
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    TMessageDialogHook previous_;
};

std::string LastPathPart(std::string path)
{
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path.substr(path.find_last_of("\\/") + 1);
}

// Three small pictures for the menus and the tool bar: a folder, a speech
// bubble and a window.
void PaintMenuImages(TImageList& images)
{
    images.SetWidth(16);
    images.SetHeight(16);
    constexpr std::array<COLORREF, 3> kColours{RGB(214, 160, 40), RGB(60, 130, 200), RGB(60, 150, 90)};
    TBitmap strip;
    strip.SetSize(16 * static_cast<int>(kColours.size()), 16);
    TCanvas& canvas = strip.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(RECT{0, 0, strip.Width(), 16});
    for (std::size_t i = 0; i < kColours.size(); ++i) {
        const int x = static_cast<int>(i) * 16;
        canvas.Brush().SetColor(static_cast<TColor>(kColours[i]));
        canvas.FillRect(RECT{x + 2, 4, x + 14, 13});
        canvas.Brush().SetColor(clWhite);
        canvas.FillRect(RECT{x + 4, 6, x + 12, 8});
    }
    images.AddMasked(strip, clFuchsia);
}

// The system's open-file dialog; the file chosen, or empty when cancelled.
std::string AskForFile(HWND owner, const char* filter)
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    return GetOpenFileNameA(&request) != FALSE ? std::string(file) : std::string();
}

} // namespace

void TGalleryForm::Publish(ui::TPublisher<TGalleryForm>& p)
{
    p.Field("MainMenu1", &TGalleryForm::MainMenu1);
    p.Field("FileMenu", &TGalleryForm::FileMenu);
    p.Field("OpenSkinItem", &TGalleryForm::OpenSkinItem);
    p.Field("SaveItem", &TGalleryForm::SaveItem);
    p.Field("FileLine", &TGalleryForm::FileLine);
    p.Field("ExitItem", &TGalleryForm::ExitItem);
    p.Field("ViewMenu", &TGalleryForm::ViewMenu);
    p.Field("ToolBarItem", &TGalleryForm::ToolBarItem);
    p.Field("StatusBarItem", &TGalleryForm::StatusBarItem);
    p.Field("PagesItem", &TGalleryForm::PagesItem);
    p.Field("SkinMenu", &TGalleryForm::SkinMenu);
    p.Field("SkinLine", &TGalleryForm::SkinLine);
    p.Field("SkinFileItem", &TGalleryForm::SkinFileItem);
    p.Field("SkinActiveItem", &TGalleryForm::SkinActiveItem);
    p.Field("WindowMenu", &TGalleryForm::WindowMenu);
    p.Field("MessageItem", &TGalleryForm::MessageItem);
    p.Field("OpenFileItem", &TGalleryForm::OpenFileItem);
    p.Field("ColourItem", &TGalleryForm::ColourItem);
    p.Field("FontItem", &TGalleryForm::FontItem);
    p.Field("WindowLine", &TGalleryForm::WindowLine);
    p.Field("DialogItem", &TGalleryForm::DialogItem);
    p.Field("MdiItem", &TGalleryForm::MdiItem);
    p.Field("HelpMenu", &TGalleryForm::HelpMenu);
    p.Field("AboutItem", &TGalleryForm::AboutItem);
    p.Field("SkinStore1", &TGalleryForm::SkinStore1);
    p.Field("SkinData1", &TGalleryForm::SkinData1);
    p.Method("FormCreate", &TGalleryForm::FormCreate);
    p.Method("OpenSkinItemClick", &TGalleryForm::OpenSkinItemClick);
    p.Method("ExitItemClick", &TGalleryForm::ExitItemClick);
    p.Method("ToolBarItemClick", &TGalleryForm::ToolBarItemClick);
    p.Method("StatusBarItemClick", &TGalleryForm::StatusBarItemClick);
    p.Method("SkinActiveItemClick", &TGalleryForm::SkinActiveItemClick);
    p.Method("MessageItemClick", &TGalleryForm::MessageItemClick);
    p.Method("OpenFileItemClick", &TGalleryForm::OpenFileItemClick);
    p.Method("ColourItemClick", &TGalleryForm::ColourItemClick);
    p.Method("FontItemClick", &TGalleryForm::FontItemClick);
    p.Method("DialogItemClick", &TGalleryForm::DialogItemClick);
    p.Method("MdiItemClick", &TGalleryForm::MdiItemClick);
    p.Method("AboutItemClick", &TGalleryForm::AboutItemClick);
}

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) { LoadForm(); }

TGalleryForm::~TGalleryForm() = default;

void TGalleryForm::FormCreate(TObject*)
{
    menuImages_ = new TImageList(this);
    PaintMenuImages(*menuImages_);
    MainMenu1->SetImages(menuImages_);
    BuildToolBar();
    pages_ = new TPageControl(this);
    pages_->SetBounds(6, kPagesTop + 4, ClientWidth() - 12, ClientHeight() - kPagesTop - kStatusHeight - 10);
    pages_->SetParent(this);
    gallery::BuildPages(*pages_);
    statusBar_ = new TStatusBar(this);
    statusBar_->SetParent(this);
    statusBar_->Panels().Add()->SetWidth(kSkinPanelWidth);
    statusBar_->Panels().Add()->SetWidth(ClientWidth() - kSkinPanelWidth);
    pages_->OnChange = TNotifyEvent([this](TObject*) { ShowSkinState(); });
    BuildSkinItems();
    BuildPageItems();
    const std::vector<std::string> names = gallery::StoredSkinNames(*SkinStore1);
    skinName_ = names.empty() ? std::string() : names.front();
    ShowSkinState();
}

void TGalleryForm::BuildToolBar()
{
    toolBar_ = new TToolBar(this);
    toolBar_->SetParent(this);
    toolBar_->SetImages(menuImages_);
    struct Button {
        const char* caption;
        int image;
        void (TGalleryForm::*click)(TObject*);
    };
    constexpr Button kButtons[] = {{"打开", 0, &TGalleryForm::OpenSkinItemClick},
                                   {"消息", 1, &TGalleryForm::MessageItemClick},
                                   {"对话框", 2, &TGalleryForm::DialogItemClick}};
    for (const Button& entry : kButtons) {
        auto* button = new TToolButton(this);
        button->SetCaption(entry.caption);
        button->SetImageIndex(entry.image);
        button->OnClick = TNotifyEvent(this, entry.click);
        button->SetToolBar(toolBar_);
    }
}

void TGalleryForm::BuildSkinItems()
{
    int index = 0;
    for (const std::string& name : gallery::StoredSkinNames(*SkinStore1)) {
        auto* item = new TMenuItem(this);
        item->SetCaption(name);
        item->SetChecked(index == 0);
        item->OnClick = TNotifyEvent([this, name](TObject*) {
            if (const std::string reason = ChooseStoredSkin(name); !reason.empty())
                Refuse(reason);
        });
        SkinMenu->Insert(index++, item);
        skinItems_.push_back(item);
    }
}

void TGalleryForm::BuildPageItems()
{
    for (int i = 0; i < pages_->PageCount(); ++i) {
        auto* item = new TMenuItem(this);
        item->SetCaption(pages_->Pages(i)->Caption());
        item->OnClick = TNotifyEvent([this, i](TObject*) { ShowPage(i); });
        PagesItem->Add(item);
    }
}

std::string TGalleryForm::ChooseStoredSkin(std::string_view name)
{
    std::string reason = gallery::UseStoredSkin(*SkinData1, *SkinStore1, name);
    if (reason.empty()) {
        StopWatching();
        SkinChosen(std::string(name), true);
    }
    return reason;
}

std::string TGalleryForm::ChooseSkinFile(const std::string& path)
{
    std::string reason = gallery::UseSkinFile(*SkinData1, path);
    if (reason.empty()) {
        StopWatching();
        SkinChosen(LastPathPart(path), false);
    }
    return reason;
}

std::string TGalleryForm::ChooseSkinFolder(const std::string& path)
{
    std::string reason = gallery::UseSkinFolder(*SkinData1, path);
    if (reason.empty())
        SkinChosen(LastPathPart(path), false);
    return reason;
}

void TGalleryForm::SkinChosen(std::string name, bool stored)
{
    for (TMenuItem* item : skinItems_)
        item->SetChecked(stored && item->Caption() == name);
    skinName_ = std::move(name);
    ShowSkinState();
}

std::string TGalleryForm::WatchSkinFolder(const std::string& path)
{
    StopWatching();
    std::string reason = ReloadQuietly(path);
    watchFailure_ = reason;
    ShowSkinState();
    const std::filesystem::path folder = gallery::PathOf(path);
    watch_ = std::make_unique<gallery::TSkinWatch>([folder] { return ListSkinFolder(folder); },
                                                   [this, path] { return ReloadQuietly(path); },
                                                   [this](const std::string& failure) { ShowReload(failure); });
    watch_->Start(kWatchInterval);
    return reason;
}

void TGalleryForm::StopWatching()
{
    watch_.reset();
    watchFailure_.clear();
}

std::string TGalleryForm::ReloadQuietly(const std::string& path)
{
    const TCaughtMessages caught;
    const std::string reason = ChooseSkinFolder(path);
    return reason.empty() || caught.Text().empty() ? reason : caught.Text();
}

void TGalleryForm::ShowReload(const std::string& failure)
{
    watchFailure_ = failure;
    ShowSkinState();
    if (failure.empty() && statusBar_ != nullptr)
        statusBar_->Panels().Items(1)->SetText("皮肤文件夹已重新载入");
}

void TGalleryForm::ShowPage(int index)
{
    pages_->SetActivePageIndex(index);
    ShowSkinState();
}

void TGalleryForm::SetSkinning(bool on)
{
    SkinData1->SetActive(on);
    SkinActiveItem->SetChecked(on);
    ShowSkinState();
}

void TGalleryForm::ShowSkinState()
{
    if (statusBar_ == nullptr)
        return;
    statusBar_->Panels().Items(0)->SetText(SkinData1->Active() ? "皮肤：" + skinName_ : std::string("未用皮肤"));
    if (!watchFailure_.empty())
        statusBar_->Panels().Items(1)->SetText(watchFailure_);
    else if (pages_ != nullptr && pages_->ActivePage() != nullptr)
        statusBar_->Panels().Items(1)->SetText("页面：" + pages_->ActivePage()->Caption());
}

void TGalleryForm::Refuse(const std::string& reason)
{
    MessageBoxA(Handle(), reason.c_str(), Caption().c_str(), MB_OK | MB_ICONWARNING);
}

void TGalleryForm::OpenSkinItemClick(TObject*)
{
    const std::string file = AskForFile(Handle(), "皮肤文件 (*.skin;*.skn)\0*.skin;*.skn\0所有文件\0*.*\0");
    if (file.empty())
        return;
    if (const std::string reason = ChooseSkinFile(file); !reason.empty())
        Refuse(reason);
}

void TGalleryForm::ExitItemClick(TObject*) { Close(); }

void TGalleryForm::ToolBarItemClick(TObject*)
{
    ToolBarItem->SetChecked(!ToolBarItem->Checked());
    toolBar_->SetVisible(ToolBarItem->Checked());
}

void TGalleryForm::StatusBarItemClick(TObject*)
{
    StatusBarItem->SetChecked(!StatusBarItem->Checked());
    statusBar_->SetVisible(StatusBarItem->Checked());
}

void TGalleryForm::SkinActiveItemClick(TObject*) { SetSkinning(!SkinData1->Active()); }

void TGalleryForm::MessageItemClick(TObject*)
{
    MessageBoxA(Handle(), "文档已修改。要保存更改吗？", Caption().c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
}

void TGalleryForm::OpenFileItemClick(TObject*)
{
    AskForFile(Handle(), "文本文件 (*.txt)\0*.txt\0所有文件\0*.*\0");
}

void TGalleryForm::ColourItemClick(TObject*)
{
    static COLORREF custom[16]{};
    CHOOSECOLORA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = Handle();
    request.rgbResult = RGB(47, 125, 109);
    request.lpCustColors = custom;
    request.Flags = CC_RGBINIT | CC_FULLOPEN;
    ChooseColorA(&request);
}

void TGalleryForm::FontItemClick(TObject*)
{
    LOGFONTA font{};
    font.lfHeight = -12;
    font.lfCharSet = GB2312_CHARSET;
    lstrcpynA(font.lfFaceName, "宋体", LF_FACESIZE);
    CHOOSEFONTA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = Handle();
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    ChooseFontA(&request);
}

void TGalleryForm::DialogItemClick(TObject*)
{
    TGalleryDialog dialog(nullptr);
    dialog.ShowModal();
}

void TGalleryForm::MdiItemClick(TObject*)
{
    mdi_.reset();
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    OffsetRect(&bounds, 40, 40);
    mdi_ = std::make_unique<mdiapp::TMdiApp>(RECT{bounds.left, bounds.top, bounds.left + 640, bounds.top + 460},
                                             "Zelvorin MDI");
    mdi_->Show();
    for (int i = 0; i < 3; ++i) {
        const int offset = 20 + 40 * i;
        mdi_->AddChild("文档 " + std::to_string(i + 1), RECT{offset, offset, offset + 300, offset + 220});
    }
}

HWND TGalleryForm::MdiFrame() const { return mdi_ ? mdi_->Frame() : nullptr; }

void TGalleryForm::CloseMdiFrame() { mdi_.reset(); }

void TGalleryForm::AboutItemClick(TObject*)
{
    MessageBoxA(Handle(), "Zelvorin 控件画廊\n每个窗口都由皮肤引擎绘制。", "关于", MB_OK | MB_ICONINFORMATION);
}
