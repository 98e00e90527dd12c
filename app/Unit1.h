// The main window: the group list, the keyword search, the result list and
// its copy commands, and the menu item that opens the About window.
#pragma once

#include "app/PostalTable.h"
#include "app/ResultCopy.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

#include <string_view>

class TSkinData;
class TSkinStore;

class TForm1 : public TForm {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TForm1>& p);

    explicit TForm1(TComponent* owner) : TForm(owner) { LoadForm(); }

    TGroupBox* GroupBox1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TButton* Button2 = nullptr;
    TEdit* Edit2 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TListView* ListView1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* N1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* N4 = nullptr;
    TMenuItem* N5 = nullptr;
    TMenuItem* N6 = nullptr;
    TSkinStore* SkinStore1 = nullptr;
    TSkinData* SkinData1 = nullptr;

    void FormCreate(TObject* sender);
    void ListBox1Click(TObject* sender);
    void Button2Click(TObject* sender);
    void Edit2Enter(TObject* sender);
    void Edit2Exit(TObject* sender);
    void N1Click(TObject* sender);
    void N2Click(TObject* sender);
    void N3Click(TObject* sender);
    void N4Click(TObject* sender);
    void N5Click(TObject* sender);
    void N6Click(TObject* sender);

    static app::userarray split(std::string_view text, char delimiter) { return app::split(text, delimiter); }

private:
    void ShowLines(const std::vector<app::PostalRecord>& lines);
    void CopySelected(app::CopyField field);
};

extern TForm1* Form1;
