#include "ui/Collection.h"

#include "ui/Exceptions.h"

#include <algorithm>

constinit const TClassInfo TCollectionItem::ClassInfo =
    ui::ClassOf<TCollectionItem>("TCollectionItem", TPersistent::ClassInfo);
constinit const TClassInfo TCollection::ClassInfo = ui::ClassOf<TCollection>("TCollection", TPersistent::ClassInfo);
constinit const TClassInfo TOwnedCollection::ClassInfo =
    ui::ClassOf<TOwnedCollection>("TOwnedCollection", TCollection::ClassInfo);

TCollectionItem::TCollectionItem(TCollection* collection)
{
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem()
{
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection)
{
    if (collection == collection_) {
        return;
    }
    if (collection_ != nullptr) {
        collection_->RemoveItem(*this);
    }
    if (collection != nullptr) {
        collection->InsertItem(*this);
    }
}

int TCollectionItem::Index() const
{
    if (collection_ == nullptr) {
        return -1;
    }
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index)
{
    const int current = Index();
    if (current < 0 || index == current) {
        return;
    }
    auto& items = collection_->items_;
    if (index < 0 || index >= static_cast<int>(items.size())) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const
{
    return std::string(ClassName());
}

TPersistent* TCollectionItem::GetOwner() const
{
    return collection_;
}

std::string TCollectionItem::GetNamePath() const
{
    if (collection_ == nullptr) {
        return std::string(ClassName());
    }
    return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool allItems)
{
    if (collection_ != nullptr && collection_->updateCount_ == 0) {
        collection_->Update(allItems ? nullptr : this);
    }
}

TCollection::TCollection(const TClassInfo& itemClass) : itemClass_(&itemClass) {}

TCollection::~TCollection()
{
    updateCount_ = 1;
    while (!items_.empty()) {
        delete items_.back();
    }
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count()) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add()
{
    if (itemClass_->CreateItem == nullptr) {
        throw EListError("Cannot create items of class " + std::string(itemClass_->Name));
    }
    return itemClass_->CreateItem(this);
}

TCollectionItem* TCollection::Insert(int index)
{
    if (index < 0 || index > Count()) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index)
{
    delete Items(index);
}

void TCollection::Clear()
{
    if (items_.empty()) {
        return;
    }
    BeginUpdate();
    while (!items_.empty()) {
        delete items_.back();
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const
{
    const auto it = std::find_if(items_.begin(), items_.end(), [id](const TCollectionItem* item) { return item->id_ == id; });
    return it == items_.end() ? nullptr : *it;
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0) {
        Changed();
    }
}

void TCollection::Assign(const TPersistent& source)
{
    const auto* other = ui::As<TCollection>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    BeginUpdate();
    try {
        Clear();
        for (const TCollectionItem* item : other->items_) {
            Add()->Assign(*item);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TCollection::GetNamePath() const
{
    const TPersistent* owner = GetOwner();
    return owner != nullptr ? owner->GetNamePath() + "." + std::string(ClassName()) : std::string(ClassName());
}

void TCollection::Changed()
{
    if (updateCount_ == 0) {
        Update(nullptr);
    }
}

void TCollection::InsertItem(TCollectionItem& item)
{
    items_.push_back(&item);
    item.collection_ = this;
    item.id_ = nextId_++;
    Notify(&item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem& item)
{
    Notify(&item, cnExtracting);
    std::erase(items_, &item);
    item.collection_ = nullptr;
    Changed();
}
