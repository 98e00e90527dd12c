// The skin store: item naming, assignment, and its items through form text.
#include "skin/load/WinSkinStore.h"

#include "ui/FormTextReader.h"
#include "ui/FormTextWriter.h"
#include "ui/Properties.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

std::vector<std::byte> Bytes(std::string_view text)
{
    const auto* p = reinterpret_cast<const std::byte*>(text.data());
    return {p, p + text.size()};
}

void Fill(TSkinCollectionItem& item, const std::vector<std::byte>& bytes)
{
    TCustomMemoryStream stream(bytes);
    item.ReadData(stream);
}

std::vector<std::byte> DataOf(const TSkinCollectionItem& item)
{
    return {item.Data().begin(), item.Data().end()};
}

// Claims size bytes but delivers only the first delivered of them, as zeros.
class TShortStream : public TStream {
public:
    TShortStream(std::int64_t size, std::size_t delivered) : size_(size), delivered_(delivered) {}
    std::size_t Read(void*, std::size_t count) override
    {
        reads++;
        return std::min(count, delivered_);
    }
    std::size_t Write(const void*, std::size_t) override { return 0; }
    std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
    std::int64_t Size() const override { return size_; }
    void SetSize(std::int64_t) override {}
    int reads = 0;

private:
    std::int64_t size_;
    std::size_t delivered_;
};

class SkinStoreTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ui::RegisterClasses({&TComponent::ClassInfo, &TSkinStore::ClassInfo}); }

    // A form holding SkinStore1, read from text.
    static std::unique_ptr<TComponent> ReadForm(std::string_view text)
    {
        return std::unique_ptr<TComponent>(ui::CreateFormFromText(text, nullptr));
    }
    static TSkinCollection& StoreOf(const TComponent& form)
    {
        return *static_cast<TSkinStore*>(form.FindComponent("SkinStore1"))->Store();
    }
};

TEST_F(SkinStoreTest, ItemsAreNamedByIdentifiersThatAreNeverReused)
{
    TSkinStore store(nullptr);
    TSkinCollection& skins = *store.Store();
    EXPECT_EQ(skins.Count(), 0);
    EXPECT_EQ(skins.Add()->Name(), "SkinItem0");
    EXPECT_EQ(skins.Add()->Name(), "SkinItem1");
    skins.Delete(0);
    EXPECT_EQ(skins.Add()->Name(), "SkinItem2");
    // The default name is not checked against the others.
    skins.Items(0)->SetName("SkinItem3");
    EXPECT_EQ(skins.Add()->Name(), "SkinItem3");
}

TEST_F(SkinStoreTest, NamesAreUniqueByExactComparison)
{
    TSkinStore store(nullptr);
    TSkinCollectionItem& first = *store.Store()->Add();
    TSkinCollectionItem& second = *store.Store()->Add();
    try {
        second.SetName("SkinItem0");
        FAIL() << "a duplicate name was accepted";
    } catch (const EPropertyError& e) {
        EXPECT_STREQ(e.what(), "The name SkinItem0 is already used.");
    }
    EXPECT_EQ(second.Name(), "SkinItem1");
    second.SetName("skinitem0");
    EXPECT_EQ(second.Name(), "skinitem0");
    second.SetName("skinitem0"); // its own name again is no change
    first.SetName("");
    EXPECT_THROW(second.SetName(""), EPropertyError);
}

TEST_F(SkinStoreTest, PlaceholderSizeAndAssignment)
{
    TSkinStore store(nullptr);
    TSkinCollectionItem& item = *store.Store()->Add();
    Fill(item, Bytes("skin bytes"));
    EXPECT_EQ(ui::GetPropValueText(item, "DataSize"), "10");
    EXPECT_FALSE(ui::SetOrdProp(item, "DataSize", 3));
    EXPECT_TRUE(ui::SetPropValueText(item, "SkinData", "ignored"));
    EXPECT_EQ(ui::GetPropValueText(item, "SkinData"), "Load Skin");

    // An item copied within the collection keeps the name: no uniqueness test.
    TSkinCollectionItem& copy = *store.Store()->Add();
    copy.Assign(item);
    EXPECT_EQ(copy.Name(), "SkinItem0");
    EXPECT_EQ(DataOf(copy), Bytes("skin bytes"));

    // Setting Store copies the other collection's items into the store's own.
    TSkinStore other(nullptr);
    other.SetStore(store.Store());
    EXPECT_EQ(other.Store()->Count(), 2);
    EXPECT_EQ(DataOf(*other.Store()->Items(1)), Bytes("skin bytes"));
    TSkinCollection* own = other.Store();
    EXPECT_TRUE(ui::SetObjectProp(other, "Store", nullptr));
    EXPECT_EQ(other.Store(), own);
    EXPECT_EQ(other.Store()->Count(), 2);
}

TEST_F(SkinStoreTest, FormTextRoundTripIsByteForByte)
{
    TComponent form(nullptr);
    form.SetName("Form1");
    auto* store = new TSkinStore(&form);
    store->SetName("SkinStore1");
    std::mt19937 random(11);
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{200 * 1024}, std::size_t{37}}) {
        std::vector<std::byte> bytes(size);
        for (std::byte& b : bytes) {
            b = static_cast<std::byte>(random());
        }
        Fill(*store->Store()->Add(), bytes);
    }
    store->Store()->Items(3)->SetName("默认 'skin'");

    const std::string text = ui::WriteFormText(form);
    EXPECT_NE(text.find("        Name = 'SkinItem0'\n        DataStream = {}\n"), std::string::npos);
    const auto copy = ReadForm(text);
    const TSkinCollection& skins = StoreOf(*copy);
    ASSERT_EQ(skins.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(skins.Items(i)->Name(), store->Store()->Items(i)->Name());
        EXPECT_EQ(DataOf(*skins.Items(i)), DataOf(*store->Store()->Items(i)));
    }
    EXPECT_EQ(skins.Items(0)->DataSize(), 0);
    EXPECT_EQ(skins.Items(2)->DataSize(), 200 * 1024);
    EXPECT_EQ(ui::WriteFormText(*copy), text);
}

TEST_F(SkinStoreTest, BadDataStreamFailsClearlyAndLoadsNothing)
{
    const std::string good = "object Form1: TComponent\n"
                             "  object SkinStore1: TSkinStore\n"
                             "    Store = <\n"
                             "      item\n"
                             "        Name = 'A'\n"
                             "        DataStream = {4142}\n"
                             "      end>\n"
                             "  end\n"
                             "end\n";
    const auto with = [&](std::string_view data) {
        std::string text = good;
        return text.replace(text.find("{4142}"), 6, data);
    };
    // Text cut off inside the value, or half a byte missing, is refused
    // before any component is touched: a store read earlier keeps its items.
    const auto form = ReadForm(good);
    const std::pair<std::string, std::string_view> truncated[] = {
        {good.substr(0, good.find("42}")), "Line 6: Binary data without a closing }"},
        {with("{41424}"), "Line 6: Binary data with an odd number of hexadecimal digits"},
    };
    for (const auto& [text, message] : truncated) {
        try {
            ui::ReadFormText(*form, text);
            ADD_FAILURE() << "read " << text;
        } catch (const ui::EFormError& e) {
            EXPECT_EQ(e.what(), message);
        }
        ASSERT_EQ(StoreOf(*form).Count(), 1);
        EXPECT_EQ(DataOf(*StoreOf(*form).Items(0)), Bytes("AB"));
    }
    // Values that do not fit the item: the form being created is given up whole.
    std::string duplicate = good;
    duplicate.insert(duplicate.find("      end>"), "      end\n      item\n        Name = 'A'\n");
    const std::pair<std::string, std::string_view> unfit[] = {
        {with("'AB'"), "Line 6: Binary data expected for property DataStream"},
        {with("@file 'skin.bin'"), "Line 6: No way to load the file 'skin.bin'"},
        {duplicate, "Line 9: SkinStore1.Store[1].Name: The name A is already used."},
    };
    for (const auto& [text, message] : unfit) {
        try {
            ReadForm(text);
            ADD_FAILURE() << "read " << text;
        } catch (const ui::EFormError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}

TEST_F(SkinStoreTest, ItemReadsWholeValuesOrNothing)
{
    TSkinStore store(nullptr);
    TSkinCollectionItem& item = *store.Store()->Add();
    Fill(item, Bytes("old"));
    TShortStream truncated(10, 4);
    EXPECT_THROW(item.ReadData(truncated), EReadError);
    EXPECT_EQ(DataOf(item), Bytes("old"));
    // More than DataSize can count: refused before reading or allocating.
    TShortStream oversized(std::int64_t{3} << 30, 0);
    EXPECT_THROW(item.ReadData(oversized), EReadError);
    EXPECT_EQ(oversized.reads, 0);
    EXPECT_EQ(DataOf(item), Bytes("old"));
    Fill(item, {});
    EXPECT_EQ(item.DataSize(), 0);
}

} // namespace
