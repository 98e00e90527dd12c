#include "ui_test_classes.h"

#include "ui/Exceptions.h"
#include "ui/Streams.h"

#include <algorithm>

namespace {
constexpr std::string_view kAlignNames[] = {"alNone", "alTop", "alBottom", "alClient"};
constexpr std::string_view kOptionNames[] = {"toFirst", "toSecond", "toThird"};
} // namespace

constinit const ui::TEnumInfo TestAlignInfo{"TTestAlign", kAlignNames};
constinit const ui::TEnumInfo TestOptionInfo{"TTestOptions", kOptionNames};

constinit const TClassInfo TTestFont::ClassInfo = ui::ClassOf<TTestFont>("TTestFont", TPersistent::ClassInfo);
constinit const TClassInfo TTestItem::ClassInfo = ui::ClassOf<TTestItem>("TTestItem", TCollectionItem::ClassInfo);
constinit const TClassInfo TTestContainer::ClassInfo =
    ui::ClassOf<TTestContainer>("TTestContainer", TComponent::ClassInfo);
constinit const TClassInfo TTestControl::ClassInfo = ui::ClassOf<TTestControl>("TTestControl", TTestContainer::ClassInfo);
constinit const TClassInfo TTestData::ClassInfo = ui::ClassOf<TTestData>("TTestData", TComponent::ClassInfo);
constinit const TClassInfo TTestForm::ClassInfo = ui::ClassOf<TTestForm>("TTestForm", TTestContainer::ClassInfo);

std::vector<std::string>& TestLog()
{
    static std::vector<std::string> log;
    return log;
}

void TTestFont::Publish(ui::TPublisher<TTestFont>& p)
{
    p.Text("Name", &TTestFont::Name);
    p.Integer("Size", &TTestFont::Size);
    p.Colour("Color", &TTestFont::Color);
}

void TTestFont::Assign(const TPersistent& source)
{
    if (const auto* font = ui::As<TTestFont>(&source)) {
        Name = font->Name;
        Size = font->Size;
        Color = font->Color;
        return;
    }
    TPersistent::Assign(source);
}

void TTestItem::Publish(ui::TPublisher<TTestItem>& p)
{
    p.Text("Name", &TTestItem::Name);
    p.Integer("Width", &TTestItem::Width).Default(50);
    p.Binary(
        "Data", [](TTestItem& item, TStream& stream) { item.Data = stream.ReadCountedBytes(); },
        [](const TTestItem& item, TStream& stream) { stream.WriteCountedBytes(item.Data); });
}

TTestItem::TTestItem(TCollection* collection) : TCollectionItem(collection)
{
    Name = "Item" + std::to_string(ID());
}

void TTestItem::Assign(const TPersistent& source)
{
    if (const auto* item = ui::As<TTestItem>(&source)) {
        Name = item->Name;
        Width = item->Width;
        Data = item->Data;
        return;
    }
    TCollectionItem::Assign(source);
}

TTestContainer::~TTestContainer()
{
    for (TTestControl* control : Controls) {
        control->Parent = nullptr;
    }
}

void TTestContainer::GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const
{
    for (TTestControl* control : Controls) {
        if (control->Owner() == &root) {
            proc(*control);
        }
    }
    TComponent::GetChildren(proc, root);
}

void TTestControl::Publish(ui::TPublisher<TTestControl>& p)
{
    p.Integer("Left", &TTestControl::Left, &TTestControl::SetLeft).Default(0);
    p.Boolean("Visible", &TTestControl::Visible).Default(1);
    p.Enum("Align", TestAlignInfo, &TTestControl::Align).Default(alNone);
    p.Set("Options", TestOptionInfo, &TTestControl::Options);
    p.Set("Mask", TestOptionInfo, &TTestControl::Mask).Stored([](const TTestControl& c) { return c.Mask != 0; });
    p.Text("Caption", &TTestControl::Caption, &TTestControl::SetCaption);
    p.WideText("Hint", &TTestControl::Hint);
    p.Colour("Color", &TTestControl::Color);
    p.Integer("Big", &TTestControl::Big).Default(0);
    p.Object("Font", &TTestControl::Font);
    p.Object("Lines", &TTestControl::Lines);
    p.Object("Items", &TTestControl::Items);
    p.Object("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy);
    p.Event("OnClick", &TTestControl::OnClick);
    p.Event("OnKey", &TTestControl::OnKey);
    p.Binary(
        "Blob", [](TTestControl& c, TStream& stream) { c.Blob = stream.ReadCountedBytes(); },
        [](const TTestControl& c, TStream& stream) { stream.WriteCountedBytes(c.Blob); })
        .Stored([](const TTestControl& c) { return !c.Blob.empty(); });
}

TTestControl::TTestControl(TComponent* owner) : TTestContainer(owner), items_(this, TTestItem::ClassInfo) {}

TTestControl::~TTestControl()
{
    SetParentComponent(nullptr);
}

void TTestControl::SetParentComponent(TComponent* parent)
{
    if (Parent != nullptr) {
        std::erase(Parent->Controls, this);
    }
    Parent = ui::As<TTestContainer>(parent);
    if (Parent != nullptr) {
        Parent->Controls.push_back(this);
    }
}

void TTestControl::Loaded()
{
    SawLoadingWhenLoaded = ComponentState().Contains(csLoading);
    TTestContainer::Loaded();
    TestLog().push_back("Loaded " + Name());
}

void TTestControl::SetBuddy(TTestControl* buddy)
{
    buddy_ = buddy;
    if (buddy != nullptr) {
        buddy->FreeNotification(this);
    }
}

void TTestControl::Notification(TComponent* component, TOperation operation)
{
    TTestContainer::Notification(component, operation);
    if (operation == opRemove && component == buddy_) {
        buddy_ = nullptr;
    }
}

void TTestData::Publish(ui::TPublisher<TTestData>& p)
{
    p.Binary(
        "SkinStream",
        [](TTestData& d, TStream& stream) {
            d.StreamReadWhileLoading = d.ComponentState().Contains(csLoading);
            d.Stream = stream.ReadCountedBytes();
        },
        [](const TTestData& d, TStream& stream) { stream.WriteCountedBytes(d.Stream); });
    p.Integer("Version", &TTestData::Version);
}

void TTestData::Loaded()
{
    TComponent::Loaded();
    TestLog().push_back("Loaded " + Name());
}

void TTestForm::Publish(ui::TPublisher<TTestForm>& p)
{
    p.Text("Caption", &TTestForm::Caption);
    p.Event("OnCreate", &TTestForm::OnCreate);
    p.Method("FormCreate", &TTestForm::FormCreate);
    p.Method("Button1Click", &TTestForm::Button1Click);
    p.Method("EditKey", &TTestForm::EditKey);
    p.Field("Panel1", &TTestForm::Panel1);
    p.Field("Button1", &TTestForm::Button1);
    p.Field("Data1", &TTestForm::Data1);
}

void TTestForm::Loaded()
{
    TTestContainer::Loaded();
    TestLog().push_back("Loaded " + Name());
}

void TTestForm::FormCreate(TObject* sender)
{
    Calls.push_back("FormCreate " + std::string(sender->ClassName()));
}

void TTestForm::Button1Click(TObject* sender)
{
    Calls.push_back("Button1Click " + static_cast<TComponent*>(sender)->Name());
}

void TTestForm::EditKey(TObject*, int& key)
{
    Calls.push_back("EditKey " + std::to_string(key));
    key = 0;
}

void RegisterTestClasses()
{
    ui::RegisterClasses({&TTestControl::ClassInfo, &TTestData::ClassInfo, &TTestForm::ClassInfo});
}
