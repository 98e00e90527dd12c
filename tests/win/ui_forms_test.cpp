// Forms made from descriptions compiled into the program, events bound by
// name, writing a form back, resources, timers, painting, and 200 forms
// created, shown and freed without leaving a handle behind.
#include "tests/win/ui_window_support.h"

#include "ui/Bitmap.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/FormTextWriter.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Picture.h"
#include "ui/Resources.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using uitest::Pump;
using uitest::PumpUntil;

// A window described by forms/LookupTestForm.dfm, laid out like the main window.
class TLookupTestForm : public TForm {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TLookupTestForm>& p)
    {
        p.Field("GroupBox1", &TLookupTestForm::GroupBox1);
        p.Field("GroupBox2", &TLookupTestForm::GroupBox2);
        p.Field("ListBox1", &TLookupTestForm::ListBox1);
        p.Field("Edit2", &TLookupTestForm::Edit2);
        p.Field("Button2", &TLookupTestForm::Button2);
        p.Field("ListView1", &TLookupTestForm::ListView1);
        p.Field("MainMenu1", &TLookupTestForm::MainMenu1);
        p.Field("PopupMenu1", &TLookupTestForm::PopupMenu1);
        p.Field("N1", &TLookupTestForm::N1);
        p.Field("N2", &TLookupTestForm::N2);
        p.Field("Timer1", &TLookupTestForm::Timer1);
        p.Method("FormCreate", &TLookupTestForm::FormCreate);
        p.Method("ListBox1Click", &TLookupTestForm::ListBox1Click);
        p.Method("Edit2Enter", &TLookupTestForm::Edit2Enter);
        p.Method("Edit2Exit", &TLookupTestForm::Edit2Exit);
        p.Method("Button2Click", &TLookupTestForm::Button2Click);
        p.Method("N1Click", &TLookupTestForm::N1Click);
        p.Method("N2Click", &TLookupTestForm::N2Click);
        p.Method("Timer1Timer", &TLookupTestForm::Timer1Timer);
    }

    explicit TLookupTestForm(TComponent* owner) : TForm(owner) { LoadForm(); }
    TLookupTestForm(TComponent* owner, std::string_view text) : TForm(owner) { LoadFormText(text); }

    TGroupBox* GroupBox1 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TListBox* ListBox1 = nullptr;
    TEdit* Edit2 = nullptr;
    TButton* Button2 = nullptr;
    TListView* ListView1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* N2 = nullptr;
    TTimer* Timer1 = nullptr;

    std::vector<std::string> log;
    int itemsAtCreate = -1;

    void FormCreate(TObject*) { itemsAtCreate = ListBox1->Items().Count(); }
    void ListBox1Click(TObject*) { log.push_back("ListBox1Click " + ListBox1->Items()[ListBox1->ItemIndex()]); }
    void Edit2Enter(TObject*)
    {
        Button2->SetDefault(true);
        if (Edit2->Text() == "输入关键字")
            Edit2->SetText("");
    }
    void Edit2Exit(TObject*)
    {
        if (Edit2->Text().empty())
            Edit2->SetText("输入关键字");
    }
    void Button2Click(TObject* sender) { log.push_back(sender == Button2 ? "Button2Click" : "Button2Click?"); }
    void N1Click(TObject*) { log.push_back("N1Click"); }
    void N2Click(TObject* sender) { log.push_back("N2Click " + static_cast<TMenuItem*>(sender)->Caption()); }
    void Timer1Timer(TObject*)
    {
        log.push_back("Timer1Timer");
        Timer1->SetEnabled(false);
    }
};

constinit const TClassInfo TLookupTestForm::ClassInfo = ui::ClassOf<TLookupTestForm>("TLookupTestForm", TForm::ClassInfo);

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};

TEST_F(FormTest, FormIsMadeFromItsCompiledDescription)
{
    TLookupTestForm form(nullptr);
    // Components, fields and nesting.
    ASSERT_NE(form.ListView1, nullptr);
    EXPECT_EQ(form.ListBox1->Parent(), form.GroupBox1);
    EXPECT_EQ(form.Edit2->Owner(), &form);
    EXPECT_EQ(form.Menu(), form.MainMenu1);
    EXPECT_EQ(form.ListView1->PopupMenu(), form.PopupMenu1);
    EXPECT_EQ(form.PopupMenu1->Items()->Count(), 2);
    EXPECT_EQ(form.N1->GetParentMenu(), form.MainMenu1);
    // Text arrives as GBK.
    EXPECT_EQ(form.GroupBox2->Caption(), "模糊查询{也可用数字反查}");
    EXPECT_EQ(form.Font().Name(), "宋体");
    EXPECT_EQ(form.ListBox1->Font().Name(), "宋体") << "controls take the form's font";
    EXPECT_EQ(form.ListView1->Columns().Items(1)->Caption(), "地区");
    EXPECT_EQ(form.ListView1->Columns().Items(1)->Width(), 100);
    EXPECT_EQ(form.BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
    EXPECT_EQ(form.itemsAtCreate, 3) << "OnCreate runs after the whole description was read";
    EXPECT_EQ(form.Button2->TabOrder(), 0);
    EXPECT_EQ(form.Edit2->TabOrder(), 1);

    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form.ListBox1->Handle(); }));
    RECT client{};
    GetClientRect(form.WindowHandle(), &client);
    EXPECT_EQ(client.right, 521);
    EXPECT_EQ(client.bottom, 331);
    EXPECT_NE(GetWindowLongPtrA(form.WindowHandle(), GWL_STYLE) & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(GetWindowLongPtrA(form.WindowHandle(), GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    const RECT bounds = form.BoundsRect();
    EXPECT_LE(std::abs((bounds.left + bounds.right) / 2 - Screen->Width() / 2), 1) << "centred on the screen";

    // Events bound by name.
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_TAB);  // Button2 comes first in its group
    uitest::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), form.Edit2->Handle());
    EXPECT_EQ(form.Edit2->Text(), "") << "Edit2Enter cleared the placeholder";
    uitest::PressKey(VK_RETURN);
    uitest::PressKey(VK_TAB);
    EXPECT_EQ(form.Edit2->Text(), "输入关键字") << "Edit2Exit put it back";
    SendMessageA(form.WindowHandle(), WM_COMMAND, MAKEWPARAM(form.N1->Command(), 0), 0);
    uitest::CallAfter(150, [] { EndMenu(); });
    SendMessageA(form.ListView1->Handle(), WM_CONTEXTMENU, 0, -1);
    EXPECT_TRUE(form.PopupMenu1->DispatchCommand(form.N2->Command()));
    form.Timer1->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return form.log.back() == "Timer1Timer"; }));
    EXPECT_EQ(form.log, (std::vector<std::string>{"ListBox1Click 大洋洲", "Button2Click", "N1Click", "N2Click 复制全部",
                                                  "Timer1Timer"}));
}

TEST_F(FormTest, WrittenFormReadsBackToTheSameForm)
{
    TLookupTestForm first(nullptr);
    first.ListBox1->Items().Add("澳门");
    first.ListView1->Columns().Items(0)->SetWidth(70);
    first.Edit2->SetReadOnly(true);
    const std::string text = ui::WriteFormText(first);
    EXPECT_NE(text.find("object ListBox1: TListBox"), std::string::npos);
    EXPECT_NE(text.find("OnClick = Button2Click"), std::string::npos);
    EXPECT_NE(text.find("'澳门'"), std::string::npos);

    TLookupTestForm second(nullptr, text);
    EXPECT_EQ(ui::WriteFormText(second), text);
    EXPECT_EQ(second.ListBox1->Items().Count(), 4);
    EXPECT_EQ(second.ListView1->Columns().Items(0)->Width(), 70);
    EXPECT_TRUE(second.Edit2->ReadOnly());
    EXPECT_EQ(second.ListView1->PopupMenu(), second.PopupMenu1);
    EXPECT_EQ(second.itemsAtCreate, 4);
}

TEST_F(FormTest, ResourcesAndFilesTheBuildEmbedded)
{
    TResourceStream form(nullptr, "TLookupTestForm");
    EXPECT_GT(form.Size(), 100);
    std::string head(14, '\0');
    form.Read(head.data(), head.size());
    EXPECT_EQ(head, "object LookupT");

    EXPECT_EQ(ui::ResourceNameForFile("forms/blob.bin"), "FILE_FORMS_BLOB_BIN");
    const std::vector<std::byte> blob = ui::ResourceFileResolver()("forms/blob.bin");
    ASSERT_EQ(blob.size(), 7u);
    EXPECT_EQ(static_cast<char>(blob[0]), 'b');
    EXPECT_EQ(blob[6], std::byte{2});

    EXPECT_FALSE(TResourceStream::Exists(nullptr, "NOSUCHFORM"));
    EXPECT_THROW(TResourceStream(nullptr, "NOSUCHFORM"), EResNotFound);
    EXPECT_THROW(ui::ResourceFileResolver()("forms/missing.bin"), EResNotFound);
    // A form class without a description cannot load one.
    TForm plain(nullptr);
    EXPECT_THROW(plain.LoadForm(), EResNotFound);
}

TEST_F(FormTest, TimersFireStopAndGoAway)
{
    const long timersBefore = ui::LiveHandleCount(ui::HandleKind::Timer);
    auto owner = std::make_unique<TForm>(nullptr);
    auto* timer = new TTimer(owner.get());
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 1000u);
    int ticks = 0;
    timer->OnTimer = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, timer);
        ++ticks;
    });
    timer->SetInterval(20);
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::Timer), timersBefore + 1);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));

    timer->SetEnabled(false);
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::Timer), timersBefore);
    const int stopped = ticks;
    Pump(120);
    EXPECT_EQ(ticks, stopped);

    // A timer may stop itself, and fires inside modal loops too.
    timer->OnTimer = TNotifyEvent([&](TObject*) {
        ++ticks;
        timer->SetEnabled(false);
        EndMenu();
    });
    timer->SetEnabled(true);
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("x");
    menu.Items()->Add(item);
    menu.Popup(10, 10);
    EXPECT_EQ(ticks, stopped + 1);

    timer->SetEnabled(true);
    owner.reset();
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::Timer), timersBefore);
    Pump(60);
    EXPECT_EQ(ticks, stopped + 1) << "a freed timer never fires";
}

// ---- painting

COLORREF PixelOf(HWND window, int x, int y)
{
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Client(window);
    return GetPixel(dc.get(), x, y);
}

TEST_F(FormTest, PanelLabelAndImagePaintWhereTheyAre)
{
    TForm form(nullptr);
    form.SetClientSize(200, 150);
    form.SetPosition(poScreenCenter);
    auto* panel = new TPanel(&form);
    panel->SetBounds(0, 0, 200, 150);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetParentBackground(false);
    panel->SetColor(clSilver);
    auto* label = new TLabel(&form);
    label->SetParent(panel);
    label->SetColor(clWhite);
    label->SetCaption("Zelvorin");
    label->SetBounds(10, 10, label->Width(), label->Height());
    auto* image = new TImage(&form);
    image->SetParent(panel);
    image->SetBounds(100, 50, 40, 40);
    TBitmap red(10, 10);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect(RECT{0, 0, 10, 10});
    image->Picture().Assign(red);
    image->SetStretch(true);
    form.Show();
    Pump(100);
    UpdateWindow(form.WindowHandle());

    const HWND window = panel->Handle();
    EXPECT_GT(label->Width(), 20) << "the label sized itself to its text";
    EXPECT_EQ(PixelOf(window, 5, 5), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(PixelOf(window, label->Left() + label->Width() - 1, label->Top()), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(window, 100, 50), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(window, 139, 89), RGB(255, 0, 0)) << "stretched over the whole image";
    EXPECT_EQ(PixelOf(window, 141, 91), RGB(0xC0, 0xC0, 0xC0));

    label->SetTransparent(true);
    panel->Repaint();
    EXPECT_EQ(PixelOf(window, label->Left() + label->Width() - 1, label->Top()), RGB(0xC0, 0xC0, 0xC0));

    image->SetStretch(false);
    image->SetCenter(true);
    panel->Repaint();
    EXPECT_EQ(PixelOf(window, 100, 50), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(PixelOf(window, 115, 65), RGB(255, 0, 0));
    EXPECT_EQ(image->DestRect().left, 15);
}

// ---- 200 forms

struct Census {
    ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    long thunks = ui::LiveThunkCount();
    std::size_t objects = ui::LiveObjectCount();
    int forms = Screen->FormCount();
    int threadWindows = CountThreadWindows();

    static BOOL CALLBACK Count(HWND, LPARAM data)
    {
        ++*reinterpret_cast<int*>(data);
        return TRUE;
    }
    static int CountThreadWindows()
    {
        int count = 0;
        EnumThreadWindows(GetCurrentThreadId(), &Count, reinterpret_cast<LPARAM>(&count));
        return count;
    }
};

TForm* MakeFullForm(int index)
{
    auto* form = new TForm(Application);
    form->SetCaption("Form " + std::to_string(index));
    form->SetClientSize(320, 240);
    form->Font().SetName("宋体");
    form->Font().SetHeight(-12);
    auto* menu = new TMainMenu(form);
    auto* about = new TMenuItem(form);
    about->SetCaption("&About");
    menu->Items()->Add(about);
    auto* sub = new TMenuItem(form);
    sub->SetCaption("Sub");
    about->Add(sub);
    form->SetMenu(menu);
    auto* popup = new TPopupMenu(form);
    popup->SetOwnerDraw(true);
    auto* copy = new TMenuItem(form);
    copy->SetCaption("复制全部");
    popup->Items()->Add(copy);
    auto* group = new TGroupBox(form);
    group->SetBounds(4, 4, 150, 120);
    group->SetCaption("浏览");
    group->SetParent(form);
    auto* list = new TListBox(form);
    list->SetBounds(8, 16, 130, 60);
    list->SetParent(group);
    for (const char* text : {"北京", "上海", "重庆"})
        list->Items().Add(text);
    auto* edit = new TEdit(form);
    edit->SetBounds(8, 84, 80, 20);
    edit->SetText("输入关键字");
    edit->SetParent(group);
    auto* button = new TButton(form);
    button->SetBounds(160, 200, 75, 25);
    button->SetCaption("确定");
    button->SetDefault(true);
    button->SetParent(form);
    auto* view = new TListView(form);
    view->SetBounds(160, 4, 150, 120);
    view->SetViewStyle(vsReport);
    view->SetGridLines(true);
    view->SetRowSelect(true);
    view->SetPopupMenu(popup);
    view->SetParent(form);
    for (const char* caption : {"省份", "地区"})
        view->Columns().Add()->SetCaption(caption);
    TListItem* item = view->Items().Add();
    item->SetCaption("北京");
    item->SubItems().Add("通县");
    auto* panel = new TPanel(form);
    panel->SetBounds(4, 130, 150, 100);
    panel->SetBevelInner(bvRaised);
    panel->SetBevelOuter(bvLowered);
    panel->SetParent(form);
    auto* label = new TLabel(form);
    label->SetCaption("Zelvorin V1.0");
    label->Font().SetStyle(TFontStyles{fsBold});
    label->SetParent(panel);
    auto* image = new TImage(form);
    image->SetBounds(60, 40, 32, 32);
    image->SetParent(panel);
    TBitmap picture(16, 16);
    picture.Canvas().Brush().SetColor(clBlue);
    picture.Canvas().FillRect(RECT{0, 0, 16, 16});
    image->Picture().Assign(picture);
    image->SetStretch(true);
    image->SetTransparent(true);
    auto* timer = new TTimer(form);
    timer->SetInterval(1000);
    return form;
}

void ShowUseAndFree(int index)
{
    TForm* form = MakeFullForm(index);
    form->Show();
    UpdateWindow(form->WindowHandle());
    // Open and close the owner-drawn context menu of every tenth form.
    if (index % 10 == 0) {
        for (TControl* control : form->ControlList()) {
            if (auto* view = ui::As<TListView>(control)) {
                uitest::CallAfter(50, [] { EndMenu(); });
                SendMessageA(view->Handle(), WM_CONTEXTMENU, 0, -1);
            }
        }
    }
    Application->ProcessMessages();
    if (index % 3 == 0)
        form->Release();  // freed through the queue, as a form closing with caFree is
    else
        delete form;
    Application->ProcessMessages();
}

TEST_F(FormTest, TwoHundredFormsLeaveNoHandleBehind)
{
    // Process-wide helpers (the menu font, the timer and popup windows) are made once.
    ShowUseAndFree(0);
    Pump();
    const Census before;

    for (int i = 0; i < 200; ++i)
        ShowUseAndFree(i);
    Pump(50);

    const Census after;
    for (std::size_t kind = 0; kind < ui::HandleKindCount; ++kind) {
        EXPECT_EQ(after.handles.live[kind], before.handles.live[kind])
            << ui::HandleKindName(static_cast<ui::HandleKind>(kind));
    }
    EXPECT_EQ(after.handles.failedReleases, before.handles.failedReleases);
    EXPECT_EQ(after.thunks, before.thunks);
    EXPECT_EQ(after.objects, before.objects);
    EXPECT_EQ(after.forms, before.forms);
    EXPECT_EQ(after.threadWindows, before.threadWindows);
}

} // namespace
