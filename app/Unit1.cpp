#include "app/Unit1.h"

#include "app/AnsiClipboard.h"
#include "app/PostalLookup.h"
#include "app/Unit2.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/WinSkinData.h"

TForm1* Form1 = nullptr;

constinit const TClassInfo TForm1::ClassInfo = ui::ClassOf<TForm1>("TForm1", TForm::ClassInfo);

void TForm1::Publish(ui::TPublisher<TForm1>& p)
{
    p.Field("GroupBox1", &TForm1::GroupBox1);
    p.Field("ListBox1", &TForm1::ListBox1);
    p.Field("GroupBox2", &TForm1::GroupBox2);
    p.Field("Button2", &TForm1::Button2);
    p.Field("Edit2", &TForm1::Edit2);
    p.Field("GroupBox3", &TForm1::GroupBox3);
    p.Field("ListView1", &TForm1::ListView1);
    p.Field("MainMenu1", &TForm1::MainMenu1);
    p.Field("N1", &TForm1::N1);
    p.Field("PopupMenu1", &TForm1::PopupMenu1);
    p.Field("N2", &TForm1::N2);
    p.Field("N3", &TForm1::N3);
    p.Field("N4", &TForm1::N4);
    p.Field("N5", &TForm1::N5);
    p.Field("N6", &TForm1::N6);
    p.Field("SkinStore1", &TForm1::SkinStore1);
    p.Field("SkinData1", &TForm1::SkinData1);
    p.Method("FormCreate", &TForm1::FormCreate);
    p.Method("ListBox1Click", &TForm1::ListBox1Click);
    p.Method("Button2Click", &TForm1::Button2Click);
    p.Method("Edit2Enter", &TForm1::Edit2Enter);
    p.Method("Edit2Exit", &TForm1::Edit2Exit);
    p.Method("N1Click", &TForm1::N1Click);
    p.Method("N2Click", &TForm1::N2Click);
    p.Method("N3Click", &TForm1::N3Click);
    p.Method("N4Click", &TForm1::N4Click);
    p.Method("N5Click", &TForm1::N5Click);
    p.Method("N6Click", &TForm1::N6Click);
}

void TForm1::FormCreate(TObject*)
{
    ListBox1->Items().Clear();
    for (const std::string& group : app::groupList(app::postalTable()))
        ListBox1->Items().Add(group);
}

void TForm1::ShowLines(const std::vector<app::PostalRecord>& lines)
{
    TListItems& items = ListView1->Items();
    items.BeginUpdate();
    items.Clear();
    for (const app::PostalRecord& line : lines) {
        TListItem* item = items.Add();
        item->SetCaption(line.group);
        item->SubItems().Add(line.region);
        item->SubItems().Add(line.postalCode);
        item->SubItems().Add(line.areaCode);
    }
    items.EndUpdate();
}

void TForm1::ListBox1Click(TObject*)
{
    const int index = ListBox1->ItemIndex();
    if (index < 0) {
        ListView1->Items().Clear();
        return;
    }
    ShowLines(app::browseGroup(app::postalTable(), ListBox1->Items()[index]));
}

void TForm1::Button2Click(TObject*)
{
    ShowLines(app::searchKeyword(app::postalTable(), Edit2->Text()));
}

void TForm1::Edit2Enter(TObject*)
{
    // From now on Enter anywhere in the window runs the search.
    Button2->SetDefault(true);
    if (Edit2->Text() == app::keywordPlaceholder)
        Edit2->SetText("");
}

void TForm1::Edit2Exit(TObject*)
{
    if (Edit2->Text().empty())
        Edit2->SetText(app::keywordPlaceholder);
}

void TForm1::N1Click(TObject*)
{
    Form2->ShowModal();
}

void TForm1::CopySelected(app::CopyField field)
{
    if (ListView1->SelCount() != 1)
        return;
    const TListItem* item = ListView1->Selected();
    if (!item)
        return;
    const TStrings& sub = item->SubItems();
    const auto subItem = [&sub](int index) { return index < sub.Count() ? sub[index] : std::string(); };
    const app::PostalRecord line{item->Caption(), subItem(0), subItem(1), subItem(2)};
    app::PutClipboardText(WindowHandle(), app::copyText(line, field));
}

void TForm1::N2Click(TObject*) { CopySelected(app::CopyField::All); }
void TForm1::N3Click(TObject*) { CopySelected(app::CopyField::Group); }
void TForm1::N4Click(TObject*) { CopySelected(app::CopyField::Region); }
void TForm1::N5Click(TObject*) { CopySelected(app::CopyField::PostalCode); }
void TForm1::N6Click(TObject*) { CopySelected(app::CopyField::AreaCode); }
