// The gallery's main window: every standard control on the pages of a page
// control, a tool bar, a status bar and a menu bar whose menus open the
// system's dialogs and a dialog of the gallery's own, and switch the skin.
#pragma once

#include "ui/Forms.h"
#include "ui/Menus.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gallery {
class TSkinWatch;
}
namespace mdiapp {
class TMdiApp;
}
class TImageList;
class TPageControl;
class TSkinData;
class TSkinStore;
class TStatusBar;
class TToolBar;

class TGalleryForm : public TForm {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TGalleryForm>& p);

    explicit TGalleryForm(TComponent* owner);
    ~TGalleryForm() override;

    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* FileMenu = nullptr;
    TMenuItem* OpenSkinItem = nullptr;
    TMenuItem* SaveItem = nullptr;
    TMenuItem* FileLine = nullptr;
    TMenuItem* ExitItem = nullptr;
    TMenuItem* ViewMenu = nullptr;
    TMenuItem* ToolBarItem = nullptr;
    TMenuItem* StatusBarItem = nullptr;
    TMenuItem* PagesItem = nullptr;
    TMenuItem* SkinMenu = nullptr;
    TMenuItem* SkinLine = nullptr;
    TMenuItem* SkinFileItem = nullptr;
    TMenuItem* SkinActiveItem = nullptr;
    TMenuItem* WindowMenu = nullptr;
    TMenuItem* MessageItem = nullptr;
    TMenuItem* OpenFileItem = nullptr;
    TMenuItem* ColourItem = nullptr;
    TMenuItem* FontItem = nullptr;
    TMenuItem* WindowLine = nullptr;
    TMenuItem* DialogItem = nullptr;
    TMenuItem* MdiItem = nullptr;
    TMenuItem* HelpMenu = nullptr;
    TMenuItem* AboutItem = nullptr;
    TSkinStore* SkinStore1 = nullptr;
    TSkinData* SkinData1 = nullptr;

    TPageControl& Pages() const { return *pages_; }
    TToolBar& ToolBar() const { return *toolBar_; }
    TStatusBar& StatusBar() const { return *statusBar_; }

    // The skin of the store by that name, or a skin file; empty on success,
    // else the reason, which the menu commands also show in a message box.
    // Either ends the watching of a folder.
    std::string ChooseStoredSkin(std::string_view name);
    std::string ChooseSkinFile(const std::string& path);
    // An unpacked skin folder, packed in memory.
    std::string ChooseSkinFolder(const std::string& path);
    // Uses the folder and from then on reloads it whenever its files
    // change. The reason a reload failed stays in the status bar, never in
    // a message box, until the folder loads again; so does the reason for
    // the first load, which this also returns.
    std::string WatchSkinFolder(const std::string& path);
    // The watcher of the folder in use, or null when none is watched.
    gallery::TSkinWatch* SkinWatch() const { return watch_.get(); }
    // Brings page index to the front, as choosing it from the menu does.
    void ShowPage(int index);
    // Skinning on or off for every window of the program.
    void SetSkinning(bool on);
    // The name the status bar shows for the skin in use.
    const std::string& SkinName() const { return skinName_; }

    void FormCreate(TObject* sender);
    void OpenSkinItemClick(TObject* sender);
    void ExitItemClick(TObject* sender);
    void ToolBarItemClick(TObject* sender);
    void StatusBarItemClick(TObject* sender);
    void SkinActiveItemClick(TObject* sender);
    void MessageItemClick(TObject* sender);
    void OpenFileItemClick(TObject* sender);
    void ColourItemClick(TObject* sender);
    void FontItemClick(TObject* sender);
    void DialogItemClick(TObject* sender);
    // A frame with three documents, made afresh each time.
    void MdiItemClick(TObject* sender);
    // The MDI window the menu opened last, or null when it was closed.
    HWND MdiFrame() const;
    void CloseMdiFrame();
    void AboutItemClick(TObject* sender);

private:
    void BuildSkinItems();
    void BuildPageItems();
    void BuildToolBar();
    // The skin in use is name, a skin of the store or not: menu and status bar say so.
    void SkinChosen(std::string name, bool stored);
    void ShowSkinState();
    void Refuse(const std::string& reason);
    void StopWatching();
    std::string ReloadQuietly(const std::string& path);
    void ShowReload(const std::string& reason);

    TPageControl* pages_ = nullptr;
    TToolBar* toolBar_ = nullptr;
    TStatusBar* statusBar_ = nullptr;
    TImageList* menuImages_ = nullptr;
    std::vector<TMenuItem*> skinItems_;
    std::unique_ptr<mdiapp::TMdiApp> mdi_;
    std::string skinName_;
    std::unique_ptr<gallery::TSkinWatch> watch_;
    // Why the watched folder's skin is not in force; empty while it is.
    std::string watchFailure_;
};

extern TGalleryForm* GalleryForm;
