#include "skin/load/WinSkinStore.h"

#include "ui/Exceptions.h"
#include "ui/Properties.h"

#include <limits>
#include <utility>

constinit const TClassInfo TSkinCollectionItem::ClassInfo =
    ui::ClassOf<TSkinCollectionItem>("TSkinCollectionItem", TCollectionItem::ClassInfo);
constinit const TClassInfo TSkinCollection::ClassInfo =
    ui::ClassOf<TSkinCollection>("TSkinCollection", TOwnedCollection::ClassInfo);
constinit const TClassInfo TSkinStore::ClassInfo = ui::ClassOf<TSkinStore>("TSkinStore", TComponent::ClassInfo);

void TSkinCollectionItem::Publish(ui::TPublisher<TSkinCollectionItem>& p)
{
    p.Text("Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName);
    p.Text("SkinData", [](const TSkinCollectionItem&) { return SkinData(); },
         [](TSkinCollectionItem&, const std::string&) {})
        .Stored(false);
    p.Integer("DataSize", &TSkinCollectionItem::DataSize);
    // Always written, even empty: an item without bytes still says so.
    p.Binary("DataStream", &TSkinCollectionItem::ReadData, &TSkinCollectionItem::WriteData);
}

TSkinCollectionItem::TSkinCollectionItem(TCollection* collection)
    : TCollectionItem(collection), name_("SkinItem" + std::to_string(ID())), data_(std::make_unique<TMemoryStream>())
{
}

void TSkinCollectionItem::SetName(std::string_view name)
{
    if (name == name_) {
        return;
    }
    if (const auto* skins = ui::As<TSkinCollection>(Collection()); skins != nullptr && skins->Find(name) != nullptr) {
        throw EPropertyError("The name " + std::string(name) + " is already used.");
    }
    name_ = name;
}

void TSkinCollectionItem::ReadData(TStream& stream)
{
    // DataSize counts in 32 bits; a larger value is refused before anything is allocated for it.
    const std::int64_t size = stream.Remaining();
    if (size > std::numeric_limits<std::int32_t>::max()) {
        throw EReadError("Skin data of " + std::to_string(size) + " bytes is larger than a skin store item holds");
    }
    auto incoming = std::make_unique<TMemoryStream>();
    incoming->SetSize(size);
    stream.ReadBuffer(incoming->Memory(), static_cast<std::size_t>(size));
    data_ = std::move(incoming);
}

void TSkinCollectionItem::WriteData(TStream& stream) const
{
    stream.WriteBuffer(data_->Bytes());
}

void TSkinCollectionItem::Assign(const TPersistent& source)
{
    const auto* item = ui::As<TSkinCollectionItem>(&source);
    if (item == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    if (item == this) {
        return;
    }
    // Copied from the other item's memory, so its stream keeps its position.
    auto copy = std::make_unique<TMemoryStream>();
    copy->WriteBuffer(item->Data());
    copy->SetPosition(0);
    data_ = std::move(copy);
    name_ = item->name_;
}

TSkinCollection::TSkinCollection(TSkinStore* owner) : TOwnedCollection(owner, TSkinCollectionItem::ClassInfo) {}

TSkinCollectionItem* TSkinCollection::Find(std::string_view name) const
{
    for (TCollectionItem* item : ItemList()) {
        auto* skin = ui::As<TSkinCollectionItem>(item);
        if (skin != nullptr && skin->Name() == name) {
            return skin;
        }
    }
    return nullptr;
}

void TSkinStore::Publish(ui::TPublisher<TSkinStore>& p)
{
    p.Object("Store", &TSkinStore::Store, &TSkinStore::SetStore);
}

TSkinStore::TSkinStore(TComponent* owner) : TComponent(owner), store_(std::make_unique<TSkinCollection>(this)) {}

void TSkinStore::SetStore(TSkinCollection* value)
{
    if (value != nullptr) {
        store_->Assign(*value);
    }
}
