// String lists: editing, name=value lines, text and comma forms, sorting,
// change events and streaming.
#include "ui/Exceptions.h"
#include "ui/Streams.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Lines(const TStrings& strings)
{
    return strings.ToVector();
}

TEST(StringList, EditingKeepsStringsAndObjectsTogether)
{
    TStringList list;
    TStringList marker;
    list.Add("b");
    list.InsertObject(0, "a", &marker);
    list.Add("c");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(list.Objects(0), &marker);
    list.Move(0, 2);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(list.IndexOfObject(&marker), 2);
    list.Exchange(0, 2);
    EXPECT_EQ(list[0], "a");
    EXPECT_EQ(list.Objects(0), &marker);
    list.Put(0, "A");
    EXPECT_EQ(list.Objects(0), &marker);
    list.Delete(1);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "b"}));
    EXPECT_THROW(list.Get(2), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(3, "x"), EListError);
    list.Insert(2, "end");
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, IndexOfIgnoresAsciiCaseUnlessAskedNot)
{
    TStringList list;
    list.SetText("Alpha\r\n北京\r\nbeta");
    EXPECT_EQ(list.IndexOf("ALPHA"), 0);
    EXPECT_EQ(list.IndexOf("北京"), 1);
    EXPECT_EQ(list.IndexOf("gamma"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
    EXPECT_EQ(list.IndexOf("Alpha"), 0);
}

TEST(StringList, NameValueLines)
{
    TStringList list;
    list.Add("TPanel=Panel");
    list.Add("TButton=button=odd");
    list.Add("plain");
    EXPECT_EQ(list.Names(0), "TPanel");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("tbutton"), "button=odd");
    EXPECT_EQ(list.ValueFromIndex(0), "Panel");
    EXPECT_EQ(list.IndexOfName("TBUTTON"), 1);
    EXPECT_EQ(list.Values("missing"), "");
    list.SetValue("TPanel", "panel");
    list.SetValue("TEdit", "edit");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"TPanel=panel", "TButton=button=odd", "plain", "TEdit=edit"}));
    list.SetValue("TButton", "");
    EXPECT_EQ(list.IndexOfName("TButton"), -1);
}

TEST(StringList, TextSplitsOnEveryLineBreakAndJoinsWithCrLf)
{
    TStringList list;
    list.SetText("a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
}

TEST(StringList, CommaTextQuotesWhatWouldSplit)
{
    TStringList list;
    list.Add("plain");
    list.Add("two words");
    list.Add("say \"hi\"");
    list.Add("");
    list.Add("a,b");
    const std::string text = list.CommaText();
    EXPECT_EQ(text, R"(plain,"two words","say ""hi""","","a,b")");
    TStringList back;
    back.SetCommaText(text);
    EXPECT_EQ(Lines(back), Lines(list));
    back.SetCommaText("x y, z,");
    EXPECT_EQ(Lines(back), (std::vector<std::string>{"x", "y", "z", ""}));
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates)
{
    TStringList list;
    list.SetText("pear\r\nApple\r\nfig");
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "fig", "pear"}));
    EXPECT_EQ(list.Add("banana"), 1);
    EXPECT_EQ(list.Add("APPLE"), 0); // dupIgnore: the existing index
    EXPECT_EQ(list.Count(), 4);
    int index = -1;
    EXPECT_TRUE(list.Find("FIG", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("grape", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.IndexOf("PEAR"), 3);
    EXPECT_THROW(list.Insert(0, "x"), EListError);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("fig"), EListError);
    list.SetDuplicates(dupAccept);
    list.Add("fig");
    EXPECT_EQ(list.Count(), 5);
}

TEST(StringList, ChangeEventsFireOncePerEditOrOncePerUpdate)
{
    TStringList list;
    int changing = 0;
    int changed = 0;
    list.OnChanging = TNotifyEvent([&](TObject*) { ++changing; });
    list.OnChange = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changed;
    });
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(changing, 2);
    list.BeginUpdate();
    list.SetText("x\r\ny\r\nz");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(changing, 3);
}

TEST(StringList, AssignCopiesAndRefusesOtherClasses)
{
    TStringList source;
    source.SetText("1\r\n2");
    TStringList copy;
    copy.Add("old");
    copy.Assign(source);
    EXPECT_TRUE(copy.Equals(source));
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 2);
    struct TPlain : TPersistent {};
    TPlain plain;
    EXPECT_THROW(copy.Assign(plain), EConvertError);
}

TEST(StringList, StreamsAsCrLfText)
{
    TStringList list;
    list.SetText("第一\r\nsecond");
    TMemoryStream stream;
    list.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 14);
    stream.SetPosition(0);
    TStringList back;
    back.LoadFromStream(stream);
    EXPECT_TRUE(back.Equals(list));
}

} // namespace
