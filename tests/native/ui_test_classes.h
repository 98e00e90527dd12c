// Classes that exercise every kind of published property, nesting of
// controls in form files, collections and binary data. Shared by the
// framework core's tests.
#pragma once

#include "ui/Collection.h"
#include "ui/Component.h"
#include "ui/Properties.h"
#include "ui/Strings.h"

#include <string>
#include <vector>

class TStream;
class TTestControl;

enum TTestAlign : unsigned { alNone, alTop, alBottom, alClient };
enum TTestOption : unsigned { toFirst, toSecond, toThird };
using TTestOptions = TSet<TTestOption>;
extern const ui::TEnumInfo TestAlignInfo;
extern const ui::TEnumInfo TestOptionInfo;

// What Loaded calls and the free-order tests record.
std::vector<std::string>& TestLog();

// Bytes stored as a 32-bit count and the bytes, the way skin data streams.
void ReadCounted(TStream& stream, std::vector<std::byte>& bytes);
void WriteCounted(TStream& stream, const std::vector<std::byte>& bytes);

class TTestFont : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTestFont>& p);
    void Assign(const TPersistent& source) override;

    std::string Name = "Arial";
    int Size = 9;
    TColor Color = clWindowText;
};

class TTestItem : public TCollectionItem {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTestItem>& p);
    explicit TTestItem(TCollection* collection);
    void Assign(const TPersistent& source) override;

    std::string Name;
    int Width = 50;
    std::vector<std::byte> Data;
};

// Components that hold children (a form, a panel).
class TTestContainer : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    using TComponent::TComponent;
    ~TTestContainer() override;
    void GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const override;

    std::vector<TTestControl*> Controls;
};

class TTestControl : public TTestContainer {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTestControl>& p);
    explicit TTestControl(TComponent* owner);
    ~TTestControl() override;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return Parent; }
    void SetParentComponent(TComponent* parent) override;
    void Loaded() override;

    int Left() const { return left_; }
    void SetLeft(int left) { left_ = left; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption) { caption_ = caption; }
    TTestFont* Font() const { return &font_; }
    TStringList& Lines() const { return lines_; }
    TOwnedCollection* Items() const { return &items_; }
    TTestControl* Buddy() const { return buddy_; }
    void SetBuddy(TTestControl* buddy);

    TTestContainer* Parent = nullptr;
    bool Visible = true;
    TTestAlign Align = alNone;
    TTestOptions Options{toFirst};
    unsigned Mask = 0;
    std::wstring Hint;
    TColor Color = clBtnFace;
    std::int64_t Big = 0;
    std::vector<std::byte> Blob;
    TNotifyEvent OnClick;
    TEvent<TObject*, int&> OnKey;
    bool SawLoadingWhenLoaded = false;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    int left_ = 0;
    std::string caption_;
    mutable TTestFont font_;
    mutable TStringList lines_;
    mutable TOwnedCollection items_;
    TTestControl* buddy_ = nullptr;
};

// A non-visual component with binary data and a read-only property.
class TTestData : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTestData>& p);
    using TComponent::TComponent;
    void Loaded() override;

    std::vector<std::byte> Stream;
    int Version() const { return 3; }
    bool StreamReadWhileLoading = false;
};

class TTestForm : public TTestContainer {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTestForm>& p);
    explicit TTestForm(TComponent* owner) : TTestContainer(owner) {}
    void Loaded() override;

    void FormCreate(TObject* sender);
    void Button1Click(TObject* sender);
    void EditKey(TObject* sender, int& key);

    std::string Caption;
    TNotifyEvent OnCreate;
    TTestControl* Panel1 = nullptr;
    TTestControl* Button1 = nullptr;
    TTestData* Data1 = nullptr;
    std::vector<std::string> Calls;
};

// Registers the classes above with the class registry.
void RegisterTestClasses();
