#include "ui/Buttons.h"

#include "ui/DcGuards.h"
#include "ui/Forms.h"
#include "ui/Properties.h"

#include <algorithm>

constinit const TClassInfo TCheckBox::ClassInfo = ui::ClassOf<TCheckBox>("TCheckBox", TWinControl::ClassInfo);
constinit const TClassInfo TRadioButton::ClassInfo =
    ui::ClassOf<TRadioButton>("TRadioButton", TWinControl::ClassInfo);
constinit const TClassInfo TBitBtn::ClassInfo = ui::ClassOf<TBitBtn>("TBitBtn", TButton::ClassInfo);
constinit const TClassInfo TSpeedButton::ClassInfo =
    ui::ClassOf<TSpeedButton>("TSpeedButton", TGraphicControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kCheckBoxStateNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};
constexpr std::string_view kButtonLayoutNames[] = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
constexpr std::string_view kBitBtnKindNames[] = {"bkCustom", "bkOK",    "bkCancel", "bkHelp",   "bkYes", "bkNo",
                                                 "bkClose",  "bkAbort", "bkRetry",  "bkIgnore", "bkAll"};
} // namespace
constinit const TEnumInfo CheckBoxStateInfo{"TCheckBoxState", kCheckBoxStateNames};
constinit const TEnumInfo ButtonLayoutInfo{"TButtonLayout", kButtonLayoutNames};
constinit const TEnumInfo BitBtnKindInfo{"TBitBtnKind", kBitBtnKindNames};

TGlyphPlacement PlaceGlyph(SIZE clientSize, SIZE glyphSize, SIZE textSize, TButtonLayout layout, int margin,
                           int spacing)
{
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int client = horizontal ? clientSize.cx : clientSize.cy;
    const int glyph = horizontal ? glyphSize.cx : glyphSize.cy;
    const int text = horizontal ? textSize.cx : textSize.cy;
    if (textSize.cx == 0 || glyphSize.cx == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (client - (glyph + text)) / 3;
            spacing = margin;
        } else {
            margin = (client - (glyph + spacing + text)) / 2;
        }
    } else if (spacing == -1) {
        spacing = ((client - margin - glyph) - text) / 2;
    }
    TGlyphPlacement placed;
    POINT textAt{};
    if (horizontal) {
        placed.Glyph.y = (clientSize.cy - glyphSize.cy + 1) / 2;
        textAt.y = (clientSize.cy - textSize.cy + 1) / 2;
    } else {
        placed.Glyph.x = (clientSize.cx - glyphSize.cx + 1) / 2;
        textAt.x = (clientSize.cx - textSize.cx + 1) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        placed.Glyph.x = margin;
        textAt.x = margin + glyphSize.cx + spacing;
        break;
    case blGlyphRight:
        placed.Glyph.x = clientSize.cx - margin - glyphSize.cx;
        textAt.x = placed.Glyph.x - spacing - textSize.cx;
        break;
    case blGlyphTop:
        placed.Glyph.y = margin;
        textAt.y = margin + glyphSize.cy + spacing;
        break;
    case blGlyphBottom:
        placed.Glyph.y = clientSize.cy - margin - glyphSize.cy;
        textAt.y = placed.Glyph.y - spacing - textSize.cy;
        break;
    }
    placed.Text = RECT{textAt.x, textAt.y, textAt.x + textSize.cx, textAt.y + textSize.cy};
    return placed;
}

void DrawGlyphCell(HDC dc, int x, int y, TBitmap& glyph, int cells, int cell)
{
    if (glyph.Empty())
        return;
    cells = std::max(cells, 1);
    const int width = glyph.Width() / cells;
    const int height = glyph.Height();
    if (width < 1)
        return;
    if (cell < 1 || cell > cells)
        cell = 1;
    const int left = (cell - 1) * width;
    const HDC source = glyph.Canvas().Handle();
    const COLORREF key = GetPixel(source, left, height - 1);
    TransparentBlt(dc, x, y, width, height, source, left, 0, width, height, key);
}

} // namespace ui

namespace {

// The caption's size as DrawText lays it out with the control's font.
SIZE MeasureCaption(HDC dc, const std::string& caption, UINT format, int maxWidth)
{
    if (caption.empty())
        return SIZE{0, 0};
    RECT box{0, 0, std::max(maxWidth, 1), 0};
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &box, format | DT_CALCRECT);
    return SIZE{box.right - box.left, box.bottom - box.top};
}

// Glyph and caption of a button in the system's look, shifted by `offset` while pressed.
void DrawGlyphAndCaption(HDC dc, const RECT& client, TFont& font, const std::string& caption, TBitmap& glyph,
                         int numGlyphs, int cell, TButtonLayout layout, int margin, int spacing, bool enabled,
                         int offset)
{
    const ui::ScopedSelect selectFont(dc, font.Handle());
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const SIZE glyphSize =
        glyph.Empty() ? SIZE{0, 0} : SIZE{glyph.Width() / std::max(numGlyphs, 1), glyph.Height()};
    const SIZE textSize = MeasureCaption(dc, caption, DT_SINGLELINE, width);
    const ui::TGlyphPlacement placed = ui::PlaceGlyph(SIZE{width, height}, glyphSize, textSize, layout, margin, spacing);
    ui::DrawGlyphCell(dc, client.left + placed.Glyph.x + offset, client.top + placed.Glyph.y + offset, glyph,
                      numGlyphs, cell);
    if (caption.empty())
        return;
    RECT text = placed.Text;
    OffsetRect(&text, client.left + offset, client.top + offset);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_NOCLIP;
    if (enabled) {
        SetTextColor(dc, ui::ColorToRGB(font.Color()));
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
    } else {
        RECT shifted = text;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &shifted, format);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
    }
    SetBkMode(dc, oldMode);
}

} // namespace

// ============================================================ TCheckBox

void TCheckBox::Publish(ui::TPublisher<TCheckBox>& p)
{
    p.Text("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
    p.Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Stored(false);
    p.Enum("State", ui::CheckBoxStateInfo, &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
    p.Boolean("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(0);
    p.Enum("Alignment", ui::AlignmentInfo, &TCheckBox::Alignment, &TCheckBox::SetAlignment).Default(taRightJustify);
    p.Boolean("TabStop", &TCheckBox::TabStop, &TCheckBox::SetTabStop).Default(1);
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    UpdateStoredBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = "BUTTON";
    params.OwnClass = false;
    // The framework moves the state itself, so that a click can pass through grayed.
    params.Style |= BS_3STATE;
    if (alignment_ == taLeftJustify)
        params.Style |= BS_LEFTTEXT;
}

void TCheckBox::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCheckBox::DestroyWnd()
{
    if (HandleAllocated())
        state_ = State();
    TWinControl::DestroyWnd();
}

TCheckBoxState TCheckBox::State() const
{
    if (!HandleAllocated())
        return state_;
    switch (SendMessageA(WindowHandle(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
        return cbChecked;
    case BST_INDETERMINATE:
        return cbGrayed;
    default:
        return cbUnchecked;
    }
}

void TCheckBox::SetState(TCheckBoxState value)
{
    state_ = value;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void TCheckBox::SetAllowGrayed(bool value)
{
    allowGrayed_ = value;
    if (!value && State() == cbGrayed)
        SetState(cbUnchecked);
}

void TCheckBox::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

void TCheckBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        switch (State()) {
        case cbUnchecked:
            SetState(cbChecked);
            break;
        case cbChecked:
            SetState(allowGrayed_ ? cbGrayed : cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbUnchecked);
            break;
        }
        Click();
        return;
    }
    TWinControl::WndProc(message);
}

// ============================================================ TRadioButton

void TRadioButton::Publish(ui::TPublisher<TRadioButton>& p)
{
    p.Text("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
    p.Boolean("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(0);
    p.Enum("Alignment", ui::AlignmentInfo, &TRadioButton::Alignment, &TRadioButton::SetAlignment)
        .Default(taRightJustify);
    p.Boolean("TabStop", &TRadioButton::TabStop, &TRadioButton::SetTabStop).Default(1);
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    UpdateStoredBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = "BUTTON";
    params.OwnClass = false;
    // The system checks a clicked button and clears the others of its group.
    params.Style |= BS_AUTORADIOBUTTON;
    if (alignment_ == taLeftJustify)
        params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::DestroyWnd()
{
    if (HandleAllocated())
        checked_ = Checked();
    TWinControl::DestroyWnd();
}

bool TRadioButton::Checked() const
{
    if (HandleAllocated())
        return SendMessageA(WindowHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return checked_;
}

void TRadioButton::SetChecked(bool value)
{
    checked_ = value;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value || !Parent())
        return;
    for (TControl* sibling : Parent()->ControlList()) {
        if (auto* other = ui::As<TRadioButton>(sibling); other && other != this && other->Checked())
            other->SetChecked(false);
    }
}

void TRadioButton::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

void TRadioButton::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        checked_ = Checked();
        Click();
        return;
    }
    TWinControl::WndProc(message);
}

// ============================================================ TBitBtn

void TBitBtn::Publish(ui::TPublisher<TBitBtn>& p)
{
    PublishGlyph(p);
    p.Enum("Kind", ui::BitBtnKindInfo, &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
}

TBitBtn::TBitBtn(TComponent* owner) : TGlyphButton(owner) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetKind(TBitBtnKind value)
{
    kind_ = value;
    struct KindLook {
        const char* caption;
        TModalResult result;
    };
    static constexpr KindLook kLooks[] = {
        {"", mrNone},         {"确定", mrOk},        {"取消", mrCancel},   {"帮助(&H)", mrNone},
        {"是(&Y)", mrYes},    {"否(&N)", mrNo},      {"关闭(&C)", mrNone}, {"中止", mrAbort},
        {"重试(&R)", mrRetry}, {"忽略(&I)", mrIgnore}, {"全部(&A)", mrNo + 1},
    };
    if (value == bkCustom)
        return;
    const KindLook& look = kLooks[value];
    SetCaption(look.caption);
    SetModalResult(look.result);
    SetDefault(value == bkOK || value == bkYes);
    SetCancel(value == bkCancel || value == bkNo);
}

void TBitBtn::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button reports a double click instead of a second click.
        message.Msg = WM_LBUTTONDOWN;
        break;
    default:
        break;
    }
    TButton::WndProc(message);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item)
{
    const HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    const ui::ScopedSaveDC saved(dc);
    if (Active() || (item.itemState & ODS_FOCUS)) {
        FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&face, -1, -1);
    }
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const int cell = !enabled ? 2 : pressed ? 3 : 1;
    RECT inner = face;
    InflateRect(&inner, -2, -2);
    DrawGlyphAndCaption(dc, inner, Font(), Caption(), Glyph(), NumGlyphs(), cell, Layout(), Margin(), Spacing(), enabled,
                        pressed ? 1 : 0);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

// ============================================================ TSpeedButton

void TSpeedButton::Publish(ui::TPublisher<TSpeedButton>& p)
{
    p.Text("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
    PublishGlyph(p);
    p.Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(0);
    p.Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(0);
    p.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    p.Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(0);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGlyphButton(owner)
{
    clickEvents_ = true;
    UpdateStoredBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool value)
{
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    down_ = value;
    if (down_)
        ReleaseOthersInGroup();
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value)
{
    groupIndex_ = std::max(value, 0);
    if (groupIndex_ == 0)
        SetDown(false);
}

void TSpeedButton::SetAllowAllUp(bool value) { allowAllUp_ = value; }

void TSpeedButton::ReleaseOthersInGroup()
{
    if (!Parent() || groupIndex_ == 0)
        return;
    for (TControl* sibling : Parent()->ControlList()) {
        auto* other = ui::As<TSpeedButton>(sibling);
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
    }
}

void TSpeedButton::Click()
{
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    TGraphicControl::Click();
}

void TSpeedButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Enabled()) {
            pressed_ = true;
            Invalidate();
        }
        break;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            Invalidate();
        }
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(message);
}

void TSpeedButton::Paint()
{
    TCanvas& canvas = Canvas();
    const HDC dc = canvas.Handle();
    RECT face = ClientRect();
    const bool sunk = pressed_ || down_;
    const bool hot = MouseInClient() && Enabled();
    if (!flat_) {
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (sunk ? DFCS_PUSHED : 0));
    } else if (sunk || hot) {
        DrawEdge(dc, &face, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const int cell = !Enabled() ? 2 : pressed_ ? 3 : down_ ? 4 : 1;
    InflateRect(&face, -2, -2);
    DrawGlyphAndCaption(dc, face, Font(), Caption(), Glyph(), NumGlyphs(), cell, Layout(), Margin(), Spacing(), Enabled(),
                        sunk ? 1 : 0);
}
