// Collections: an ordered list of items of one class, owned by the
// collection. Items know their collection and carry an identifier that is
// never reused within it. Form files store collections as "< item ... end >".
#pragma once

#include "ui/Persistent.h"

#include <span>
#include <string>
#include <vector>

class TCollection;

enum TCollectionNotification : unsigned { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // Joins collection (when given) as its last item, which then owns it.
    // The collection's Notify(cnAdded) runs from here, before a derived
    // item's constructor body.
    explicit TCollectionItem(TCollection* collection);
    // Leaves its collection first.
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (or none: the caller then owns it).
    void SetCollection(TCollection* collection);
    int ID() const { return id_; }
    int Index() const;
    virtual void SetIndex(int index);
    // The default is the class name.
    virtual std::string DisplayName() const;

    TPersistent* GetOwner() const override;
    std::string GetNamePath() const override;

protected:
    // Tells the collection this item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;

    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // itemClass must be constructible from a TCollection* (see ClassOf).
    explicit TCollection(const TClassInfo& itemClass);
    ~TCollection() override;

    const TClassInfo& ItemClass() const { return *itemClass_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    std::span<TCollectionItem* const> ItemList() const { return items_; }
    template <class T>
    T* ItemAs(int index) const
    {
        return ui::As<T>(Items(index));
    }

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // The item with that identifier, or null.
    TCollectionItem* FindItemID(int id) const;
    int NextID() const { return nextId_; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Same item class: replaces the items with copies of source's (each
    // item's Assign does the copying).
    void Assign(const TPersistent& source) override;
    std::string GetNamePath() const override;

protected:
    // An item changed (null: the whole collection); not called while updating.
    virtual void Update(TCollectionItem* /*item*/) {}
    virtual void Notify(TCollectionItem* /*item*/, TCollectionNotification /*action*/) {}
    void Changed();

private:
    friend class TCollectionItem;

    void InsertItem(TCollectionItem& item);
    void RemoveItem(TCollectionItem& item);

    const TClassInfo* itemClass_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
};

// A collection that names its owner (a component's published collection).
class TOwnedCollection : public TCollection {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TOwnedCollection(TPersistent* owner, const TClassInfo& itemClass) : TCollection(itemClass), owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};

// An owned collection whose items are all of one class.
template <class TItem>
class TOwnedCollectionOf : public TOwnedCollection {
public:
    explicit TOwnedCollectionOf(TPersistent* owner) : TOwnedCollection(owner, TItem::ClassInfo) {}

    TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
    TItem* Items(int index) const { return static_cast<TItem*>(TCollection::Items(index)); }
};
