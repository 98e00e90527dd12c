#include "ui/Memo.h"

#include "ui/Properties.h"

#include <richedit.h>

#include <algorithm>

constinit const TClassInfo TMemoStrings::ClassInfo = ui::ClassOf<TMemoStrings>("TMemoStrings", TStrings::ClassInfo);
constinit const TClassInfo TCustomMemo::ClassInfo = ui::ClassOf<TCustomMemo>("TCustomMemo", TCustomEdit::ClassInfo);
constinit const TClassInfo TMemo::ClassInfo = ui::ClassOf<TMemo>("TMemo", TCustomMemo::ClassInfo);
constinit const TClassInfo TRichEdit::ClassInfo = ui::ClassOf<TRichEdit>("TRichEdit", TCustomMemo::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};

// The rich edit library stays loaded for the life of the process: windows of
// its class may exist until the very end.
const char* RichEditClassName()
{
    static const char* const name = []() -> const char* {
        if (LoadLibraryA("riched20.dll"))
            return "RichEdit20A";
        if (LoadLibraryA("msftedit.dll"))
            return "RICHEDIT50W";
        return nullptr;
    }();
    if (!name)
        throw Exception("The rich edit control is not available");
    return name;
}
} // namespace
constinit const TEnumInfo ScrollStyleInfo{"TScrollStyle", kScrollStyleNames};
} // namespace ui

// ============================================================ TMemoStrings

HWND TMemoStrings::Window() const { return memo_.WindowHandle(); }

TPersistent* TMemoStrings::GetOwner() const { return &memo_; }

std::string TMemoStrings::StoredLine(int index) const
{
    TStringList lines;
    lines.SetText(memo_.StoredText());
    return lines.Get(index);
}

int TMemoStrings::StoredCount() const
{
    TStringList lines;
    lines.SetText(memo_.StoredText());
    return lines.Count();
}

void TMemoStrings::EditStored(const std::function<void(TStringList&)>& edit)
{
    TStringList lines;
    lines.SetText(memo_.StoredText());
    edit(lines);
    memo_.StoreText(lines.Text());
}

int TMemoStrings::LineStart(int index) const
{
    return static_cast<int>(SendMessageA(Window(), EM_LINEINDEX, static_cast<WPARAM>(index), 0));
}

int TMemoStrings::LineLength(int start) const
{
    return static_cast<int>(SendMessageA(Window(), EM_LINELENGTH, static_cast<WPARAM>(start), 0));
}

void TMemoStrings::Replace(int start, int end, std::string_view text)
{
    const std::string copy(text);
    SendMessageA(Window(), EM_SETSEL, static_cast<WPARAM>(start), end);
    SendMessageA(Window(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(copy.c_str()));
}

int TMemoStrings::Count() const
{
    if (!Window())
        return StoredCount();
    const auto count = static_cast<int>(SendMessageA(Window(), EM_GETLINECOUNT, 0, 0));
    // The empty line after a final line break is not a line of the text.
    if (count > 0 && LineLength(LineStart(count - 1)) == 0)
        return count - 1;
    return count;
}

std::string TMemoStrings::Get(int index) const
{
    if (!Window())
        return StoredLine(index);
    CheckIndex(index, Count());
    // Lengths count characters; a double-byte character takes two bytes.
    const int length = LineLength(LineStart(index));
    std::string text(static_cast<std::size_t>(std::max(length, 1)) * 2 + 2, '\0');
    const auto capacity = static_cast<WORD>(std::min<std::size_t>(text.size(), 0xFFFF));
    std::copy_n(reinterpret_cast<const char*>(&capacity), sizeof capacity, text.data());
    const auto copied = SendMessageA(Window(), EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(text.size()))));
    // A rich edit hands the paragraph mark over with the line.
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

void TMemoStrings::Put(int index, std::string_view text)
{
    if (!Window()) {
        EditStored([&](TStringList& lines) { lines.Put(index, text); });
        return;
    }
    CheckIndex(index, Count());
    const int start = LineStart(index);
    Replace(start, start + LineLength(start), text);
}

void TMemoStrings::Insert(int index, std::string_view text)
{
    if (!Window()) {
        EditStored([&](TStringList& lines) { lines.Insert(index, text); });
        return;
    }
    CheckIndex(index, Count() + 1);
    if (const int start = LineStart(index); start >= 0) {
        Replace(start, start, std::string(text) + "\r\n");
        return;
    }
    // After a last line that has no line break yet.
    const int previous = LineStart(index - 1);
    const int end = previous + LineLength(previous);
    Replace(end, end, "\r\n" + std::string(text));
}

void TMemoStrings::Delete(int index)
{
    if (!Window()) {
        EditStored([&](TStringList& lines) { lines.Delete(index); });
        return;
    }
    CheckIndex(index, Count());
    const int start = LineStart(index);
    int end = LineStart(index + 1);
    if (end < 0)
        end = start + LineLength(start);
    Replace(start, end, "");
}

void TMemoStrings::Clear()
{
    if (Window())
        SetWindowTextA(Window(), "");
    else
        memo_.StoreText("");
}

// ============================================================ TCustomMemo

void TCustomMemo::Publish(ui::TPublisher<TCustomMemo>& p)
{
    // The lines are the text: only they are written.
    p.Text("Text", &TCustomMemo::Text, &TCustomMemo::SetText).Stored(false);
    p.Object("Lines", &TCustomMemo::LinesObject);
    p.Enum("ScrollBars", ui::ScrollStyleInfo, &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
    p.Boolean("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(1);
    p.Boolean("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(1);
    p.Boolean("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(0);
    p.Enum("Alignment", ui::AlignmentInfo, &TCustomMemo::Alignment, &TCustomMemo::SetAlignment).Default(taLeftJustify);
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this))
{
    SetAutoSelect(false);
    UpdateStoredBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    static constexpr DWORD kScrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | kScrollBars[scrollBars_] | kAlignments[alignment_];
    if (!wordWrap_)
        params.Style |= ES_AUTOHSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (value == scrollBars_)
        return;
    scrollBars_ = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

void TCustomMemo::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_GETDLGCODE:
        TCustomEdit::WndProc(message);
        if (wantTabs_)
            message.Result |= DLGC_WANTTAB;
        else
            message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!wantReturns_)
            message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    case CN_CHAR:
        // Enter or Tab the form did not take must not be typed either.
        if ((message.WParam == '\r' && !wantReturns_) || (message.WParam == '\t' && !wantTabs_)) {
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomEdit::WndProc(message);
}

// ============================================================ TRichEdit

void TRichEdit::CreateParams(TCreateParams& params)
{
    TCustomMemo::CreateParams(params);
    params.WinClassName = ui::RichEditClassName();
}

void TRichEdit::CreateWnd()
{
    TCustomMemo::CreateWnd();
    SendMessageA(WindowHandle(), EM_SETEVENTMASK, 0, ENM_CHANGE);
    ApplyColor();
}

std::string TRichEdit::GetText() const
{
    if (!HandleAllocated())
        return TCustomMemo::GetText();
    // The window's length counts a line break as one character and a double-byte
    // character as one: too short a buffer for the text as bytes with CR LF.
    GETTEXTLENGTHEX length{};
    length.flags = GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES;
    length.codepage = CP_ACP;
    const auto bytes = SendMessageA(WindowHandle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::string text(static_cast<std::size_t>(std::max<LRESULT>(bytes, 0)) + 1, '\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size());
    get.flags = GT_USECRLF;
    get.codepage = CP_ACP;
    const auto copied =
        SendMessageA(WindowHandle(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(text.size()))));
    return text;
}

void TRichEdit::ApplyColor()
{
    if (!HandleAllocated())
        return;
    SendMessageA(WindowHandle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ui::ColorToRGB(Color())));
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = ui::ColorToRGB(Font().Color());
    SendMessageA(WindowHandle(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void TRichEdit::ColorChanged()
{
    TCustomMemo::ColorChanged();
    ApplyColor();
}

void TRichEdit::FontChanged()
{
    TCustomMemo::FontChanged();
    ApplyColor();
}
