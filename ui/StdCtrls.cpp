#include "ui/StdCtrls.h"

#include "ui/DcGuards.h"
#include "ui/Forms.h"
#include "ui/Properties.h"

#include <algorithm>

constinit const TClassInfo TButton::ClassInfo = ui::ClassOf<TButton>("TButton", TWinControl::ClassInfo);
constinit const TClassInfo TCustomEdit::ClassInfo = ui::ClassOf<TCustomEdit>("TCustomEdit", TWinControl::ClassInfo);
constinit const TClassInfo TEdit::ClassInfo = ui::ClassOf<TEdit>("TEdit", TCustomEdit::ClassInfo);
constinit const TClassInfo TListBoxStrings::ClassInfo =
    ui::ClassOf<TListBoxStrings>("TListBoxStrings", TStrings::ClassInfo);
constinit const TClassInfo TCustomListBox::ClassInfo =
    ui::ClassOf<TCustomListBox>("TCustomListBox", TWinControl::ClassInfo);
constinit const TClassInfo TListBox::ClassInfo = ui::ClassOf<TListBox>("TListBox", TCustomListBox::ClassInfo);
constinit const TClassInfo TCustomGroupBox::ClassInfo =
    ui::ClassOf<TCustomGroupBox>("TCustomGroupBox", TWinControl::ClassInfo);
constinit const TClassInfo TGroupBox::ClassInfo = ui::ClassOf<TGroupBox>("TGroupBox", TCustomGroupBox::ClassInfo);
constinit const TClassInfo TCustomLabel::ClassInfo =
    ui::ClassOf<TCustomLabel>("TCustomLabel", TGraphicControl::ClassInfo);
constinit const TClassInfo TLabel::ClassInfo = ui::ClassOf<TLabel>("TLabel", TCustomLabel::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kTextLayoutNames[] = {"tlTop", "tlCenter", "tlBottom"};
constexpr std::string_view kListBoxStyleNames[] = {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"};
} // namespace
constinit const TEnumInfo TextLayoutInfo{"TTextLayout", kTextLayoutNames};
constinit const TEnumInfo ListBoxStyleInfo{"TListBoxStyle", kListBoxStyleNames};

HMENU FreeChildId(HWND parent) noexcept
{
    UINT id = 0x1000;
    while (parent && id < 0xF000 && GetDlgItem(parent, static_cast<int>(id)))
        ++id;
    return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
}

void DrawListItem(TCanvas& canvas, const RECT& rect, std::string_view text, TOwnerDrawState state)
{
    if (state.Contains(odSelected)) {
        canvas.Brush().SetColor(clHighlight);
        canvas.Font().SetColor(clHighlightText);
    }
    if (state.Contains(odDisabled) || state.Contains(odGrayed))
        canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(rect);
    RECT inner = rect;
    inner.left += 2;
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(text, inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
}

void HandleDrawItem(TWinControl& control, TCanvas& canvas, const DRAWITEMSTRUCT& item,
                    const std::function<void(int, const RECT&, TOwnerDrawState)>& draw)
{
    // The handler may leave anything selected: the DC goes back as it came.
    const ScopedSaveDC saved(item.hDC);
    const ScopedCanvasBinding binding(canvas, item.hDC);
    canvas.Font().Assign(control.Font());
    canvas.Brush().Assign(control.Brush());
    const auto state = TOwnerDrawState::FromBits(item.itemState);
    // A focus change alone toggles the dotted rectangle, which is drawn by XOR.
    const bool focusOnly = item.itemAction == ODA_FOCUS;
    if (!focusOnly) {
        if (item.itemID == static_cast<UINT>(-1))
            canvas.FillRect(item.rcItem);
        else
            draw(static_cast<int>(item.itemID), item.rcItem, state);
    }
    if ((focusOnly || state.Contains(odFocused)) && !state.Contains(odNoFocusRect)) {
        SetTextColor(item.hDC, RGB(0, 0, 0));
        SetBkColor(item.hDC, RGB(255, 255, 255));
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}
} // namespace ui

// ============================================================ TButton

void TButton::Publish(ui::TPublisher<TButton>& p)
{
    p.Text("Caption", &TButton::Caption, &TButton::SetCaption);
    p.Boolean("Default", &TButton::Default, &TButton::SetDefault).Default(0);
    p.Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(0);
    p.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
    p.Boolean("TabStop", &TButton::TabStop, &TButton::SetTabStop).Default(1);
}

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    UpdateStoredBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = "BUTTON";
    params.OwnClass = false;
    params.Style |= (active_ || default_) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
    if (value == default_)
        return;
    default_ = value;
    // The form works out again which button Enter belongs to.
    if (TCustomForm* form = ui::GetParentForm(this); form && HandleAllocated())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    else
        active_ = value;
}

void TButton::SetButtonStyle(bool asDefault)
{
    if (!HandleAllocated())
        return;
    // A button the framework draws keeps its style and shows the default look itself.
    if ((GetWindowLongPtrA(WindowHandle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) {
        Invalidate();
        return;
    }
    SendMessageA(WindowHandle(), BM_SETSTYLE, asDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    if (modalResult_ != mrNone) {
        if (TCustomForm* form = ui::GetParentForm(this))
            form->SetModalResult(modalResult_);
    }
    TWinControl::Click();
}

void TButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) {
            Click();
            return;
        }
        break;
    case CM_DIALOGKEY: {
        const bool modifiers =
            GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || (message.LParam & (LPARAM{1} << 29)) != 0;
        if (((message.WParam == VK_RETURN && active_) || (message.WParam == VK_ESCAPE && cancel_)) && !modifiers &&
            CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGCHAR:
        if (ui::IsAccel(static_cast<char>(message.WParam), Caption()) && CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: {
        auto* sender = reinterpret_cast<TWinControl*>(message.LParam);
        const bool wasActive = active_;
        active_ = ui::As<TButton>(sender) ? sender == this : default_;
        if (active_ != wasActive)
            SetButtonStyle(active_);
        break;
    }
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ============================================================ TCustomEdit

void TCustomEdit::Publish(ui::TPublisher<TCustomEdit>& p)
{
    p.Text("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
    p.Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(0);
    p.Enum("BorderStyle", ui::BorderStyleInfo, &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).Default(bsSingle);
    p.Boolean("Ctl3D", &TCustomEdit::Ctl3D, &TCustomEdit::SetCtl3D).Default(1);
    p.Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    p.Boolean("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(1);
    p.Boolean("TabStop", &TCustomEdit::TabStop, &TCustomEdit::SetTabStop).Default(1);
    p.Event("OnChange", &TCustomEdit::OnChange);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetColor(clWindow);
    UpdateStoredBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = "EDIT";
    params.OwnClass = false;
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (borderStyle_ == bsSingle) {
        if (ctl3D_)
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

void TCustomEdit::SetReadOnly(bool value)
{
    readOnly_ = value;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomEdit::SetCtl3D(bool value)
{
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    RecreateWnd();
}

void TCustomEdit::SetMaxLength(int value)
{
    maxLength_ = std::max(value, 0);
    if (HandleAllocated())
        SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

int TCustomEdit::SelStart() const
{
    if (!HandleAllocated())
        return 0;
    DWORD start = 0;
    SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const
{
    if (!HandleAllocated())
        return 0;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int value)
{
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(value), value);
}

void TCustomEdit::SetSelLength(int value)
{
    const int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + value);
}

std::string TCustomEdit::SelText() const
{
    const std::string text = GetText();
    const auto start = static_cast<std::size_t>(std::clamp(SelStart(), 0, static_cast<int>(text.size())));
    return text.substr(start, static_cast<std::size_t>(std::max(SelLength(), 0)));
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated())
        SendMessageA(WindowHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::DoEnter()
{
    if (autoSelect_ && GetKeyState(VK_LBUTTON) >= 0)
        SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
        OnChange(this);
        return;
    }
    TWinControl::WndProc(message);
}

// ============================================================ TListBoxStrings

namespace {
constexpr TItemMessages kListBoxItems{LB_GETCOUNT,    LB_GETTEXTLEN,  LB_GETTEXT, LB_INSERTSTRING,
                                      LB_ADDSTRING,   LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA,
                                      LB_SETITEMDATA, LB_ERR,          LB_ERRSPACE, "The list box cannot take more items"};
} // namespace

TListBoxStrings::TListBoxStrings(TCustomListBox& listBox) : TWindowItems(listBox, kListBoxItems), listBox_(listBox) {}

bool TListBoxStrings::Sorted() const { return listBox_.sorted_; }

// ============================================================ TCustomListBox

void TCustomListBox::Publish(ui::TPublisher<TCustomListBox>& p)
{
    p.Object("Items", &TCustomListBox::ItemsObject);
    p.Integer("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight)
        .Stored([](const TCustomListBox& box) { return box.itemHeight_ > 0; });
    p.Boolean("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(0);
    p.Enum("BorderStyle", ui::BorderStyleInfo, &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle)
        .Default(bsSingle);
    p.Boolean("TabStop", &TCustomListBox::TabStop, &TCustomListBox::SetTabStop).Default(1);
    p.Enum("Style", ui::ListBoxStyleInfo, &TCustomListBox::Style, &TCustomListBox::SetStyle).Default(lbStandard);
    p.Event("OnDrawItem", &TCustomListBox::OnDrawItem);
    p.Event("OnMeasureItem", &TCustomListBox::OnMeasureItem);
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(*this)), canvas_(std::make_unique<TCanvas>())
{
    SetTabStop(true);
    SetColor(clWindow);
    UpdateStoredBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = "LISTBOX";
    params.OwnClass = false;
    params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    if (sorted_)
        params.Style |= LBS_SORT;
    if (style_ != lbStandard) {
        params.Style |= style_ == lbOwnerDrawFixed ? LBS_OWNERDRAWFIXED : LBS_OWNERDRAWVARIABLE;
        params.Menu = ui::FreeChildId(params.WndParent);
    }
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    const HWND window = WindowHandle();
    if (itemHeight_ > 0 && style_ != lbOwnerDrawVariable)
        SendMessageA(window, LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight_, 0));
    items_->MoveIntoWindow();
    SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(savedIndex_), 0);
}

void TCustomListBox::DestroyWnd()
{
    if (HandleAllocated()) {
        items_->MoveOutOfWindow();
        savedIndex_ = static_cast<int>(SendMessageA(WindowHandle(), LB_GETCURSEL, 0, 0));
    }
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(WindowHandle(), LB_GETCURSEL, 0, 0));
    return savedIndex_;
}

void TCustomListBox::SetItemIndex(int value)
{
    if (HandleAllocated())
        SendMessageA(WindowHandle(), LB_SETCURSEL, static_cast<WPARAM>(value), 0);
    else
        savedIndex_ = value >= 0 && value < Count() ? value : -1;
}

int TCustomListBox::ItemHeight() const
{
    // Items of the variable style each have their own height.
    if (HandleAllocated() && style_ != lbOwnerDrawVariable)
        return static_cast<int>(SendMessageA(WindowHandle(), LB_GETITEMHEIGHT, 0, 0));
    return itemHeight_;
}

void TCustomListBox::SetItemHeight(int value)
{
    if (value <= 0)
        return;
    itemHeight_ = value;
    if (HandleAllocated() && style_ != lbOwnerDrawVariable) {
        SendMessageA(WindowHandle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(value, 0));
        Invalidate();
    }
}

void TCustomListBox::SetSorted(bool value)
{
    if (value == sorted_)
        return;
    sorted_ = value;
    RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    RecreateWnd();
}

void TCustomListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state)
{
    if (OnDrawItem)
        OnDrawItem(this, index, rect, state);
    else
        ui::DrawListItem(*canvas_, rect, items_->Get(index), state);
}

void TCustomListBox::MeasureItem(int index, int& height)
{
    if (itemHeight_ > 0)
        height = itemHeight_;
    OnMeasureItem(this, index, height);
}

void TCustomListBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_DRAWITEM:
        ui::HandleDrawItem(*this, *canvas_, *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam),
                           [this](int index, const RECT& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
        message.Result = TRUE;
        return;
    case CN_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        int height = static_cast<int>(item.itemHeight);
        MeasureItem(static_cast<int>(item.itemID), height);
        // The list box keeps heights in a byte.
        item.itemHeight = static_cast<UINT>(std::clamp(height, 1, 255));
        message.Result = TRUE;
        return;
    }
    default:
        break;
    }
    if (message.Msg == CN_COMMAND) {
        switch (HIWORD(message.WParam)) {
        case LBN_SELCHANGE:
            Click();
            return;
        case LBN_DBLCLK:
            OnDblClick(this);
            return;
        default:
            break;
        }
    }
    TWinControl::WndProc(message);
}

// ============================================================ TCustomGroupBox

void TCustomGroupBox::Publish(ui::TPublisher<TCustomGroupBox>& p)
{
    p.Text("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption);
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) { UpdateStoredBounds(0, 0, 185, 105); }

void TCustomGroupBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = "BUTTON";
    params.OwnClass = false;
    // The frame must not be drawn over the controls inside.
    params.Style |= BS_GROUPBOX | WS_CLIPCHILDREN;
}

void TCustomGroupBox::WndProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        // The system's group box leaves its inside to whatever was there.
        RECT r{};
        GetClientRect(WindowHandle(), &r);
        FillRect(reinterpret_cast<HDC>(message.WParam), &r, Brush().Handle());
        message.Result = 1;
        return;
    }
    TWinControl::WndProc(message);
}

// ============================================================ TCustomLabel

void TCustomLabel::Publish(ui::TPublisher<TCustomLabel>& p)
{
    p.Text("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption);
    p.Enum("Alignment", ui::AlignmentInfo, &TCustomLabel::Alignment, &TCustomLabel::SetAlignment).Default(taLeftJustify);
    p.Enum("Layout", ui::TextLayoutInfo, &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop);
    p.Boolean("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(1);
    p.Boolean("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(0);
    p.Boolean("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).Default(0);
    p.Boolean("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar).Default(1);
    p.Object("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    opaque_ = true;
    UpdateStoredBounds(0, 0, 65, 17);
}

TCustomLabel::~TCustomLabel()
{
    if (focusControl_)
        focusControl_->RemoveFreeNotification(this);
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value)
{
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value)
{
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    opaque_ = !value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control)
{
    if (focusControl_)
        focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (focusControl_)
        focusControl_->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

UINT TCustomLabel::TextFlags() const
{
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    else
        flags |= DT_SINGLELINE;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    switch (alignment_) {
    case taLeftJustify:
        flags |= DT_LEFT;
        break;
    case taRightJustify:
        flags |= DT_RIGHT;
        break;
    case taCenter:
        flags |= DT_CENTER;
        break;
    }
    return flags;
}

void TCustomLabel::AdjustBounds()
{
    if (!autoSize_ || ComponentState().Contains(csLoading))
        return;
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    TCanvas canvas;
    const ui::ScopedCanvasBinding binding(canvas, screen.get());
    canvas.Font().Assign(Font());
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    const std::string text = Caption();
    // An empty caption still takes a line's height.
    canvas.DrawText(text.empty() ? std::string_view(" ") : std::string_view(text), r, TextFlags() | DT_CALCRECT);
    int left = Left();
    const int width = r.right - r.left;
    if (!wordWrap_ && alignment_ == taRightJustify)
        left += Width() - width;
    SetBounds(left, Top(), wordWrap_ ? Width() : width, r.bottom - r.top);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::FontChanged()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Paint()
{
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (opaque_) {
        canvas.Brush().SetColor(Color());
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(r);
    }
    canvas.Font().Assign(Font());
    const std::string text = Caption();
    const UINT flags = TextFlags();
    if (layout_ != tlTop) {
        RECT measured = r;
        canvas.DrawText(text, measured, flags | DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        r.top += layout_ == tlCenter ? (r.bottom - r.top - height) / 2 : (r.bottom - r.top - height);
    }
    // Text goes over what is there (the fill above, or the parent's background).
    canvas.Brush().SetStyle(bsClear);
    if (Enabled()) {
        canvas.DrawText(text, r, flags);
        return;
    }
    // Disabled text: an etched look in the shadow and highlight colours.
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, shifted, flags);
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(text, r, flags);
}

void TCustomLabel::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGCHAR && focusControl_ && showAccelChar_ &&
        ui::IsAccel(static_cast<char>(message.WParam), Caption()) && focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        message.Result = 1;
        return;
    }
    TGraphicControl::WndProc(message);
}
