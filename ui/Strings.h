// Lists of byte strings, each with an optional associated object. TStrings
// is the interface (a list box's items implement it over the native control);
// TStringList keeps its strings itself and can sort them.
#pragma once

#include "ui/Events.h"
#include "ui/Persistent.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TStream;

class TStrings : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // What a derived list must provide. Indexes out of range raise EListError.
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Insert(int index, std::string_view text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Defaults: Put deletes and inserts keeping the object; objects are not kept.
    virtual void Put(int index, std::string_view text);
    virtual TObject* Objects(int index) const;
    virtual void PutObject(int index, TObject* object);

    std::string Strings(int index) const { return Get(index); }
    std::string operator[](int index) const { return Get(index); }
    // Index of the new string.
    virtual int Add(std::string_view text);
    int AddObject(std::string_view text, TObject* object);
    void InsertObject(int index, std::string_view text, TObject* object);
    void AddStrings(const TStrings& strings);
    void Exchange(int index1, int index2);
    void Move(int currentIndex, int newIndex);
    // First index whose text equals text (see CompareStrings), or -1.
    virtual int IndexOf(std::string_view text) const;
    int IndexOfObject(const TObject* object) const;

    // "name=value" lines.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;
    // An empty value deletes the line, as the name=value convention has it.
    void SetValue(std::string_view name, std::string_view value);

    // The lines joined by CR LF, each line ended. SetText splits at CR, LF or CR LF.
    std::string Text() const;
    void SetText(std::string_view text);
    // Comma separated; entries with spaces, commas or quotes are double-quoted.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    void BeginUpdate();
    void EndUpdate();
    bool Equals(const TStrings& other) const;
    std::vector<std::string> ToVector() const;

    void Assign(const TPersistent& source) override;
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(std::string_view fileName);
    void SaveToFile(std::string_view fileName) const;

    // Comparison used by IndexOf and sorting: ASCII letters ignore case unless
    // CaseSensitive; GBK bytes compare as they are.
    bool CaseSensitive() const { return caseSensitive_; }
    virtual void SetCaseSensitive(bool value) { caseSensitive_ = value; }
    int CompareStrings(std::string_view a, std::string_view b) const;

protected:
    // Called when the first BeginUpdate starts and the last EndUpdate ends.
    virtual void SetUpdateState(bool /*updating*/) {}
    int UpdateCount() const { return updateCount_; }
    void CheckIndex(int index, int limit) const;

private:
    int updateCount_ = 0;
    bool caseSensitive_ = false;
};

enum TDuplicates : unsigned { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TStringList() = default;

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, std::string_view text) override;
    TObject* Objects(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, std::string_view text) override;
    void Delete(int index) override;
    void Clear() override;
    // Sorted lists insert in order; Duplicates decides about equal strings.
    int Add(std::string_view text) override;
    int IndexOf(std::string_view text) const override;
    void SetCaseSensitive(bool value) override;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }
    // Stable sort by CompareStrings.
    void Sort();
    // Binary search of a sorted list: true when found; index is where it is
    // or would be inserted.
    bool Find(std::string_view text, int& index) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;

private:
    void Changing();
    void Changed();
    void InsertItem(int index, std::string_view text, TObject* object);

    std::vector<std::pair<std::string, TObject*>> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
};
