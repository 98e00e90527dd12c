// Feeds arbitrary text to the form parser and reader. Whatever reads
// without error must write text that reads again without error and writes
// the same text.
// Run from the fuzz tree, new inputs going to a scratch folder:
//   mkdir -p build/fuzz/corpus/ui_form
//   build/fuzz/tests/fuzz/ui_form_fuzzer build/fuzz/corpus/ui_form tests/fuzz/corpus/ui_form -max_total_time=600
#include "ui/Collection.h"
#include "ui/Component.h"
#include "ui/FormTextReader.h"
#include "ui/FormTextWriter.h"
#include "ui/Properties.h"
#include "ui/Streams.h"
#include "ui/Strings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

enum TFuzzAlign : unsigned { faNone, faTop, faClient };
enum TFuzzOption : unsigned { foOne, foTwo, foThree };
constexpr std::string_view kAlignNames[] = {"faNone", "faTop", "faClient"};
constexpr std::string_view kOptionNames[] = {"foOne", "foTwo", "foThree"};
constexpr ui::TEnumInfo AlignInfo{"TFuzzAlign", kAlignNames};
constexpr ui::TEnumInfo OptionInfo{"TFuzzOptions", kOptionNames};

class TFuzzItem : public TCollectionItem {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TFuzzItem>& p)
    {
        p.Text("Name", &TFuzzItem::Name);
        p.Binary(
            "Data", [](TFuzzItem& item, TStream& s) { item.Data = s.ReadCountedBytes(); },
            [](const TFuzzItem& item, TStream& s) { s.WriteCountedBytes(item.Data); });
    }
    using TCollectionItem::TCollectionItem;

    std::string Name;
    std::vector<std::byte> Data;
};
constinit const TClassInfo TFuzzItem::ClassInfo = ui::ClassOf<TFuzzItem>("TFuzzItem", TCollectionItem::ClassInfo);

class TFuzzControl;

class TFuzzContainer : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    using TComponent::TComponent;
    ~TFuzzContainer() override;
    void GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const override;

    std::vector<TFuzzControl*> Controls;
};
constinit const TClassInfo TFuzzContainer::ClassInfo = ui::ClassOf<TFuzzContainer>("TFuzzContainer", TComponent::ClassInfo);

class TFuzzControl : public TFuzzContainer {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TFuzzControl>& p)
    {
        p.Integer("Left", &TFuzzControl::Left).Default(0);
        p.Boolean("Visible", &TFuzzControl::Visible);
        p.Enum("Align", AlignInfo, &TFuzzControl::Align);
        p.Set("Options", OptionInfo, &TFuzzControl::Options);
        p.Text("Caption", &TFuzzControl::Caption);
        p.WideText("Hint", &TFuzzControl::Hint);
        p.Colour("Color", &TFuzzControl::Color);
        p.Object("Lines", [](const TFuzzControl& c) -> TStringList& { return c.lines_; });
        p.Object("Items", [](const TFuzzControl& c) -> TOwnedCollection& { return c.items_; });
        p.Object("Buddy", &TFuzzControl::buddy_, &TFuzzControl::SetBuddy);
        p.Event("OnClick", &TFuzzControl::OnClick);
        p.Binary(
            "Data", [](TFuzzControl& c, TStream& s) { c.Data = s.ReadCountedBytes(); },
            [](const TFuzzControl& c, TStream& s) { s.WriteCountedBytes(c.Data); });
    }
    explicit TFuzzControl(TComponent* owner) : TFuzzContainer(owner), items_(this, TFuzzItem::ClassInfo) {}
    ~TFuzzControl() override { SetParentComponent(nullptr); }

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* parent) override
    {
        if (parent_ != nullptr) {
            std::erase(parent_->Controls, this);
        }
        parent_ = ui::As<TFuzzContainer>(parent);
        if (parent_ != nullptr) {
            parent_->Controls.push_back(this);
        }
    }
    void SetBuddy(TFuzzControl* buddy)
    {
        buddy_ = buddy;
        if (buddy != nullptr) {
            buddy->FreeNotification(this);
        }
    }

    int Left = 0;
    bool Visible = true;
    TFuzzAlign Align = faNone;
    TSet<TFuzzOption> Options;
    std::string Caption;
    std::wstring Hint;
    TColor Color = clBtnFace;
    std::vector<std::byte> Data;
    TNotifyEvent OnClick;
    TFuzzContainer* parent_ = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TFuzzContainer::Notification(component, operation);
        if (operation == opRemove && component == buddy_) {
            buddy_ = nullptr;
        }
    }

private:
    mutable TStringList lines_;
    mutable TOwnedCollection items_;
    TFuzzControl* buddy_ = nullptr;
};
constinit const TClassInfo TFuzzControl::ClassInfo = ui::ClassOf<TFuzzControl>("TFuzzControl", TFuzzContainer::ClassInfo);

TFuzzContainer::~TFuzzContainer()
{
    for (TFuzzControl* control : Controls) {
        control->parent_ = nullptr;
    }
}

void TFuzzContainer::GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const
{
    for (TFuzzControl* control : Controls) {
        if (control->Owner() == &root) {
            proc(*control);
        }
    }
    TComponent::GetChildren(proc, root);
}

class TFuzzForm : public TFuzzContainer {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TFuzzForm>& p)
    {
        p.Text("Caption", &TFuzzForm::Caption);
        p.Method("Click", &TFuzzForm::Click);
        p.Field("Button1", &TFuzzForm::Button1);
    }
    using TFuzzContainer::TFuzzContainer;
    void Click(TObject*) {}

    std::string Caption;
    TFuzzControl* Button1 = nullptr;
};
constinit const TClassInfo TFuzzForm::ClassInfo = ui::ClassOf<TFuzzForm>("TFuzzForm", TFuzzContainer::ClassInfo);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = [] {
        ui::RegisterClasses({&TFuzzControl::ClassInfo, &TFuzzForm::ClassInfo});
        return true;
    }();
    Check(registered);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto form = std::make_unique<TFuzzForm>(nullptr);
    try {
        ui::ReadFormText(*form, text);
    } catch (const Exception&) {
        return 0;
    }
    const std::string written = ui::WriteFormText(*form);
    auto again = std::make_unique<TFuzzForm>(nullptr);
    ui::ReadFormText(*again, written); // must not throw
    Check(ui::WriteFormText(*again) == written);
    return 0;
}
