// TSkinStore: a non-visual component that keeps named skins inside a
// window's form data. Each skin is opaque bytes under a name unique within
// the store; the store keeps and streams them and nothing else.
//
// In form data a store reads
//     object SkinStore1: TSkinStore
//       Store = <
//         item
//           Name = 'Blue'
//           DataStream = {...}
//         end>
//     end
#pragma once

#include "ui/Collection.h"
#include "ui/Component.h"
#include "ui/Streams.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class TSkinStore;

class TSkinCollectionItem : public TCollectionItem {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    // Name, SkinData, DataSize and the binary DataStream.
    static void Publish(ui::TPublisher<TSkinCollectionItem>& p);

    // Named "SkinItem" + its identifier; the default is not checked against
    // the other names.
    explicit TSkinCollectionItem(TCollection* collection);

    const std::string& Name() const { return name_; }
    // Throws EPropertyError "The name <name> is already used." when another
    // item of the collection bears exactly that name; the old name stays.
    void SetName(std::string_view name);
    std::string DisplayName() const override { return name_; }

    // A placeholder for design tools: always "Load Skin".
    static std::string_view SkinData() { return "Load Skin"; }
    std::int32_t DataSize() const { return static_cast<std::int32_t>(data_->Size()); }
    std::span<const std::byte> Data() const { return data_->Bytes(); }

    // The DataStream property. Reading takes the rest of stream as the new
    // bytes, all or nothing: on failure the held bytes are unchanged.
    // Writing emits every held byte from the start.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    // From another item: its name (without the uniqueness test) and bytes.
    void Assign(const TPersistent& source) override;

private:
    std::string name_;
    std::unique_ptr<TMemoryStream> data_;
};

class TSkinCollection : public TOwnedCollection {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinCollection(TSkinStore* owner);

    TSkinCollectionItem* Add() { return static_cast<TSkinCollectionItem*>(TOwnedCollection::Add()); }
    // Null for an item of another class moved in with SetCollection.
    TSkinCollectionItem* Items(int index) const { return ui::As<TSkinCollectionItem>(TOwnedCollection::Items(index)); }
    // The item bearing exactly that name, or null.
    TSkinCollectionItem* Find(std::string_view name) const;
};

class TSkinStore : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TSkinStore>& p); // Store

    explicit TSkinStore(TComponent* owner);

    TSkinCollection* Store() const { return store_.get(); }
    // Copies value's items into the store's own collection; null is ignored.
    void SetStore(TSkinCollection* value);

private:
    std::unique_ptr<TSkinCollection> store_;
};
