// Multi-line text: the memo (a multi-line EDIT) and the rich edit (the
// system's rich edit control, same text interface), both with their lines as
// a string list.
#pragma once

#include "ui/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// A memo's lines: read from and written into the window while it exists,
// into the memo's stored text otherwise. A text ending in a line break has
// no empty last line. With WordWrap, a line the window breaks counts as the
// lines it shows.
class TMemoStrings : public TStrings {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, std::string_view text) override;
    void Insert(int index, std::string_view text) override;
    void Delete(int index) override;
    void Clear() override;
    TPersistent* GetOwner() const override;

private:
    HWND Window() const;
    std::string StoredLine(int index) const;
    int StoredCount() const;
    void EditStored(const std::function<void(TStringList&)>& edit);
    void Replace(int start, int end, std::string_view text);
    int LineStart(int index) const;
    int LineLength(int start) const;

    TCustomMemo& memo_;
};

class TCustomMemo : public TCustomEdit {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomMemo>& p);

    explicit TCustomMemo(TComponent* owner);

    TStrings& Lines() const { return *lines_; }
    TStrings* LinesObject() const { return lines_.get(); }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    // Long lines break at the right edge (and there is no horizontal scrolling).
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // Enter starts a new line rather than going to the form's default button.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    // Tab is typed into the text rather than moving the focus.
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    friend class TMemoStrings;

    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    TAlignment alignment_ = taLeftJustify;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};

// The system's rich edit control (riched20.dll, loaded on first use).
class TRichEdit : public TCustomMemo {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TRichEdit(TComponent* owner) : TCustomMemo(owner) {}

    std::string GetText() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void ColorChanged() override;
    void FontChanged() override;

private:
    void ApplyColor();
};

namespace ui {
extern const TEnumInfo ScrollStyleInfo;
} // namespace ui
