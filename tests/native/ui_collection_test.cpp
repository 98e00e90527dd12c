// Collections: item identifiers, ownership, order, assignment and update
// notifications.
#include "ui_test_classes.h"

#include "ui/Exceptions.h"

#include <gtest/gtest.h>

namespace {

// Records what the collection tells its owner.
class TWatchedCollection : public TOwnedCollection {
public:
    using TOwnedCollection::TOwnedCollection;
    std::vector<std::string> events;

protected:
    void Update(TCollectionItem* item) override { events.push_back(item == nullptr ? "update all" : "update item"); }
    void Notify(TCollectionItem*, TCollectionNotification action) override
    {
        events.push_back(action == cnAdded ? "added" : "extracting");
    }
};

TEST(Collection, IdentifiersCountUpAndAreNeverReused)
{
    TOwnedCollection items(nullptr, TTestItem::ClassInfo);
    auto* first = items.ItemAs<TTestItem>(items.Add()->Index());
    auto* second = static_cast<TTestItem*>(items.Add());
    EXPECT_EQ(first->ID(), 0);
    EXPECT_EQ(second->Name, "Item1");
    items.Delete(0);
    auto* third = static_cast<TTestItem*>(items.Add());
    EXPECT_EQ(third->ID(), 2);
    EXPECT_EQ(items.NextID(), 3);
    EXPECT_EQ(items.FindItemID(1), second);
    EXPECT_EQ(items.FindItemID(0), nullptr);
    EXPECT_EQ(second->Index(), 0);
    EXPECT_EQ(second->Collection(), &items);
}

TEST(Collection, ItemsMoveLeaveAndDie)
{
    TTestControl owner(nullptr);
    owner.SetName("Panel1");
    TOwnedCollection& items = *owner.Items();
    TCollectionItem* a = items.Add();
    TCollectionItem* b = items.Add();
    TCollectionItem* c = items.Insert(0);
    EXPECT_EQ(c->Index(), 0);
    b->SetIndex(0);
    EXPECT_EQ(items.Items(0), b);
    EXPECT_EQ(items.Items(1), c);
    EXPECT_THROW(b->SetIndex(3), EListError);
    EXPECT_THROW(items.Items(3), EListError);
    EXPECT_EQ(a->GetNamePath(), "Panel1.TOwnedCollection[2]");
    EXPECT_EQ(a->GetOwner(), &items);
    EXPECT_EQ(items.GetOwner(), &owner);
    delete a; // leaves the collection
    EXPECT_EQ(items.Count(), 2);
    TOwnedCollection other(nullptr, TTestItem::ClassInfo);
    c->SetCollection(&other);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(other.Items(0), c);
    EXPECT_EQ(c->ID(), 0); // a new identifier in its new collection
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
}

TEST(Collection, AssignCopiesItemsThroughTheirAssign)
{
    TOwnedCollection source(nullptr, TTestItem::ClassInfo);
    auto* item = static_cast<TTestItem*>(source.Add());
    item->Name = "skin";
    item->Data = {std::byte{9}};
    TOwnedCollection copy(nullptr, TTestItem::ClassInfo);
    copy.Add();
    copy.Add();
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.ItemAs<TTestItem>(0)->Name, "skin");
    EXPECT_EQ(copy.ItemAs<TTestItem>(0)->Data, item->Data);
    TStringList notACollection;
    EXPECT_THROW(copy.Assign(notACollection), EConvertError);
}

TEST(Collection, UpdatesAreHeldWhileUpdating)
{
    TWatchedCollection items(nullptr, TTestItem::ClassInfo);
    items.Add();
    EXPECT_EQ(items.events, (std::vector<std::string>{"added", "update all"}));
    items.events.clear();
    items.BeginUpdate();
    items.Add();
    items.Delete(0);
    items.EndUpdate();
    EXPECT_EQ(items.events, (std::vector<std::string>{"added", "extracting", "update all"}));
}

TEST(Collection, ItemsOfAClassWithoutAFactoryCannotBeAdded)
{
    TOwnedCollection items(nullptr, TCollectionItem::ClassInfo);
    EXPECT_NE(items.Add(), nullptr); // the base item class builds from a collection
    TOwnedCollection abstractItems(nullptr, TPersistent::ClassInfo);
    EXPECT_THROW(abstractItems.Add(), EListError);
}

} // namespace
