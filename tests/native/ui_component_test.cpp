// Components: ownership and destruction order, free notification, names,
// published fields, the class registry and liveness checks.
#include "ui/Component.h"
#include "ui/Exceptions.h"
#include "ui/Properties.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

std::vector<std::string>* gLog = nullptr;

class TLogged : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TLogged(TComponent* owner, std::string name) : TComponent(owner) { SetName(name); }
    ~TLogged() override
    {
        if (gLog != nullptr) {
            gLog->push_back("free " + Name());
        }
    }

    TComponent* watched = nullptr;
    std::vector<std::string> removed;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove) {
            removed.push_back(component == watched ? "watched" : "other");
            if (component == watched) {
                watched = nullptr;
            }
        }
    }
};
constinit const TClassInfo TLogged::ClassInfo = ui::ClassOf<TLogged>("TLogged", TComponent::ClassInfo);

class TOther : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    using TComponent::TComponent;
};
constinit const TClassInfo TOther::ClassInfo = ui::ClassOf<TOther>("TOther", TComponent::ClassInfo);

class TRoot : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TRoot>& p) { p.Field("Child", &TRoot::Child); }
    using TComponent::TComponent;

    TOther* Child = nullptr;
};
constinit const TClassInfo TRoot::ClassInfo = ui::ClassOf<TRoot>("TRoot", TComponent::ClassInfo);

class ComponentTest : public testing::Test {
protected:
    void SetUp() override { gLog = &log; }
    void TearDown() override { gLog = nullptr; }
    std::vector<std::string> log;
};

TEST_F(ComponentTest, OwnerFreesOwnedComponentsLastFirstAndDepthFirst)
{
    {
        TLogged owner(nullptr, "Owner");
        auto* a = new TLogged(&owner, "A");
        new TLogged(a, "A1");
        new TLogged(&owner, "B");
        new TLogged(&owner, "C");
        EXPECT_EQ(owner.ComponentCount(), 3);
        EXPECT_EQ(a->Owner(), &owner);
        EXPECT_EQ(a->ComponentIndex(), 0);
    }
    const std::vector<std::string> expected = {"free Owner", "free C", "free B", "free A", "free A1"};
    EXPECT_EQ(log, expected);
}

TEST_F(ComponentTest, DeletingAnOwnedComponentLeavesItsOwner)
{
    TLogged owner(nullptr, "Owner");
    auto* a = new TLogged(&owner, "A");
    auto* b = new TLogged(&owner, "B");
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    EXPECT_EQ(owner.FindComponent("A"), nullptr);
    EXPECT_THROW(owner.Components(1), EListError);
}

TEST_F(ComponentTest, DestroyingMarksTheWholeTree)
{
    auto owner = std::make_unique<TLogged>(nullptr, "Owner");
    auto* child = new TLogged(owner.get(), "Child");
    auto* grandchild = new TLogged(child, "Grandchild");
    owner->Destroying();
    EXPECT_TRUE(grandchild->ComponentState().Contains(csDestroying));
}

TEST_F(ComponentTest, FreeNotificationReachesHoldersInOtherOwners)
{
    TLogged formA(nullptr, "FormA");
    TLogged formB(nullptr, "FormB");
    auto* holder = new TLogged(&formA, "Holder");
    auto* target = new TLogged(&formB, "Target");
    holder->watched = target;
    target->FreeNotification(holder);
    target->FreeNotification(holder); // twice is the same as once
    delete target;
    EXPECT_EQ(holder->watched, nullptr);
    EXPECT_EQ(holder->removed, std::vector<std::string>{"watched"});
}

TEST_F(ComponentTest, FreeNotificationIsForgottenWhenTheHolderGoesFirst)
{
    TLogged formA(nullptr, "FormA");
    auto* target = new TLogged(&formA, "Target");
    TLogged stays(nullptr, "Stays");
    target->FreeNotification(&stays);
    // The holder that goes first, and a newcomer made in its very storage
    // afterwards: a surviving link would reach the newcomer (or, under the
    // address sanitizer, the freed holder) when the target goes.
    alignas(TLogged) unsigned char storage[sizeof(TLogged)];
    auto* holder = new (storage) TLogged(nullptr, "Holder");
    target->FreeNotification(holder);
    holder->~TLogged();
    auto* newcomer = new (storage) TLogged(nullptr, "Newcomer");
    delete target;
    EXPECT_TRUE(newcomer->removed.empty());
    EXPECT_EQ(stays.removed, std::vector<std::string>{"other"}) << "the holder that stays is still told";
    newcomer->~TLogged();
}

TEST_F(ComponentTest, RemoveFreeNotificationStopsTheNews)
{
    TLogged formA(nullptr, "FormA");
    TLogged holder(nullptr, "Holder");
    auto* target = new TLogged(&formA, "Target");
    holder.watched = target;
    target->FreeNotification(&holder);
    target->RemoveFreeNotification(&holder);
    delete target;
    EXPECT_TRUE(holder.removed.empty());
}

TEST_F(ComponentTest, SiblingsHearOfInsertionAndRemovalThroughTheOwner)
{
    TLogged owner(nullptr, "Owner");
    auto* sibling = new TLogged(&owner, "Sibling");
    auto* other = new TLogged(&owner, "Other");
    sibling->watched = other;
    delete other;
    EXPECT_EQ(sibling->watched, nullptr);
}

TEST_F(ComponentTest, NamesAreIdentifiersUniqueWithinTheOwnerIgnoringCase)
{
    TLogged owner(nullptr, "Owner");
    auto* a = new TLogged(&owner, "Button1");
    auto* b = new TLogged(&owner, "");
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1Button"), EComponentError);
    EXPECT_THROW(b->SetName("Bad Name"), EComponentError);
    b->SetName("_Button2");
    EXPECT_EQ(owner.FindComponent("_BUTTON2"), b);
    EXPECT_EQ(owner.FindComponent("button1"), a);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    a->SetName("button1"); // its own name in another case is no conflict
    EXPECT_EQ(a->Name(), "button1");
}

TEST_F(ComponentTest, PublishedFieldFollowsTheComponentOfThatName)
{
    TRoot root(nullptr);
    auto* child = new TOther(&root);
    EXPECT_EQ(root.Child, nullptr);
    child->SetName("Child");
    EXPECT_EQ(root.Child, child);
    child->SetName("Renamed");
    EXPECT_EQ(root.Child, nullptr);
    child->SetName("child");
    EXPECT_EQ(root.Child, child);
    delete child;
    EXPECT_EQ(root.Child, nullptr);
    // A component of an unrelated class does not land in the field.
    new TLogged(&root, "Child");
    EXPECT_EQ(root.Child, nullptr);
}

TEST_F(ComponentTest, MovingToAnotherOwnerChecksTheName)
{
    TLogged first(nullptr, "First");
    TLogged second(nullptr, "Second");
    auto* a = new TLogged(&first, "A");
    new TLogged(&second, "A");
    EXPECT_THROW(second.InsertComponent(*a), EComponentError);
    a->SetName("B");
    second.InsertComponent(*a);
    EXPECT_EQ(a->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
}

TEST(ClassInfo, AncestryAndNames)
{
    TLogged logged(nullptr, "X");
    EXPECT_EQ(logged.ClassName(), "TLogged");
    EXPECT_TRUE(logged.InheritsFrom(TComponent::ClassInfo));
    EXPECT_TRUE(logged.InheritsFrom(TObject::ClassInfo));
    EXPECT_FALSE(logged.InheritsFrom(TOther::ClassInfo));
    EXPECT_TRUE(TLogged::ClassInfo.InheritsFrom("tpersistent"));
    EXPECT_TRUE(logged.ClassNameIs("TLOGGED"));
    TObject* object = &logged;
    EXPECT_EQ(ui::As<TLogged>(object), &logged);
    EXPECT_EQ(ui::As<TOther>(object), nullptr);
    EXPECT_EQ(ui::As<TOther>(static_cast<TObject*>(nullptr)), nullptr);
}

TEST(ClassInfo, RegistryFindsClassesByNameInAnyCase)
{
    ui::RegisterClasses({&TOther::ClassInfo, &TRoot::ClassInfo});
    ui::RegisterClass(TOther::ClassInfo); // again: harmless
    EXPECT_EQ(ui::GetClass("tother"), &TOther::ClassInfo);
    EXPECT_EQ(ui::GetClass("TMissing"), nullptr);
    EXPECT_THROW(ui::FindClass("TMissing"), EClassNotFound);
    TRoot owner(nullptr);
    TComponent* created = ui::FindClass("TOther").CreateComponent(&owner);
    EXPECT_EQ(created->ClassName(), "TOther");
    EXPECT_EQ(created->Owner(), &owner);
    EXPECT_EQ(TComponent::ClassInfo.CreateItem, nullptr);
}

TEST(ClassInfo, TwoClassesCannotShareARegisteredName)
{
    static constinit const TClassInfo impostor{"TOther", &TComponent::ClassInfo};
    ui::RegisterClass(TOther::ClassInfo);
    EXPECT_THROW(ui::RegisterClass(impostor), EComponentError);
}

TEST(Liveness, FreedObjectsAreNoLongerLive)
{
    const std::size_t before = ui::LiveObjectCount();
    auto* owner = new TLogged(nullptr, "Owner");
    auto* child = new TOther(owner);
    EXPECT_TRUE(ui::IsLive(child));
    EXPECT_TRUE(ui::IsLiveObject(child, TComponent::ClassInfo));
    EXPECT_FALSE(ui::IsLiveObject(child, TLogged::ClassInfo)); // alive, but of another class
    EXPECT_EQ(ui::LiveObjectCount(), before + 2);
    const void* stale = child;
    delete owner;
    EXPECT_FALSE(ui::IsLiveObject(stale));
    EXPECT_FALSE(ui::IsLiveObject(stale, TOther::ClassInfo));
    EXPECT_FALSE(ui::IsLiveObject(nullptr));
    int notAnObject = 0;
    EXPECT_FALSE(ui::IsLiveObject(&notAnObject));
    EXPECT_EQ(ui::LiveObjectCount(), before);
}

} // namespace
