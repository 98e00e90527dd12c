// The items of a list-like system control (list box, combo box): kept in the
// window while it exists, in a string list otherwise. The window takes them
// over when it is made and hands them back when it goes, so that a control
// keeps its items across a re-created window.
#pragma once

#include "ui/Strings.h"

#include <windows.h>

#include <string>
#include <string_view>

class TWinControl;

// The messages through which a kind of control keeps its items.
struct TItemMessages {
    UINT count;
    UINT textLength;
    UINT text;
    UINT insert;
    UINT add;
    UINT remove;
    UINT reset;
    UINT getData;
    UINT setData;
    LRESULT error;
    LRESULT errorSpace;
    // What is raised when the window can take no more items.
    const char* full;
};

class TWindowItems : public TStrings {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TWindowItems(TWinControl& control, const TItemMessages& messages) : control_(control), messages_(messages) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Insert(int index, std::string_view text) override;
    void Delete(int index) override;
    void Clear() override;
    TObject* Objects(int index) const override;
    void PutObject(int index, TObject* object) override;
    int Add(std::string_view text) override;
    TPersistent* GetOwner() const override;

    // The new window takes over the kept items.
    void MoveIntoWindow();
    // The going window's items are kept.
    void MoveOutOfWindow();

protected:
    // A sorted control places an inserted item itself.
    virtual bool Sorted() const = 0;

private:
    HWND Window() const;
    void CheckAdded(LRESULT result) const;

    TWinControl& control_;
    const TItemMessages& messages_;
    TStringList saved_;
};
