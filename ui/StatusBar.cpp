#include "ui/StatusBar.h"

#include "ui/DcGuards.h"
#include "ui/Properties.h"

#include <commctrl.h>

#include <vector>

constinit const TClassInfo TStatusPanel::ClassInfo = ui::ClassOf<TStatusPanel>("TStatusPanel", TCollectionItem::ClassInfo);
constinit const TClassInfo TStatusPanels::ClassInfo =
    ui::ClassOf<TStatusPanels>("TStatusPanels", TOwnedCollection::ClassInfo);
constinit const TClassInfo TStatusBar::ClassInfo = ui::ClassOf<TStatusBar>("TStatusBar", TWinControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kPanelStyleNames[] = {"psText", "psOwnerDraw"};
constexpr std::string_view kPanelBevelNames[] = {"pbNone", "pbLowered", "pbRaised"};
// The system's one part of a bar in simple mode.
constexpr WPARAM kSimplePart = 255;
} // namespace
constinit const TEnumInfo StatusPanelStyleInfo{"TStatusPanelStyle", kPanelStyleNames};
constinit const TEnumInfo StatusPanelBevelInfo{"TStatusPanelBevel", kPanelBevelNames};
} // namespace ui

// ============================================================ TStatusPanel

void TStatusPanel::Publish(ui::TPublisher<TStatusPanel>& p)
{
    p.Text("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    p.Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50);
    p.Enum("Alignment", ui::AlignmentInfo, &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(taLeftJustify);
    p.Enum("Style", ui::StatusPanelStyleInfo, &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText);
    p.Enum("Bevel", ui::StatusPanelBevelInfo, &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered);
}

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection)
{
    // The collection announced the item before this part existed; show it now.
    if (auto* panels = ui::As<TStatusPanels>(collection)) {
        panels->pending_ = nullptr;
        Changed(true);
    }
}

void TStatusPanel::SetText(std::string_view value)
{
    text_ = std::string(value);
    Changed(false);
}

void TStatusPanel::SetWidth(int value)
{
    width_ = value;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value)
{
    style_ = value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value)
{
    bevel_ = value;
    Changed(false);
}

void TStatusPanel::Assign(const TPersistent& source)
{
    if (const auto* panel = ui::As<TStatusPanel>(&source)) {
        text_ = panel->text_;
        width_ = panel->width_;
        alignment_ = panel->alignment_;
        style_ = panel->style_;
        bevel_ = panel->bevel_;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(source);
}

// ============================================================ TStatusPanels

TStatusPanels::TStatusPanels(TStatusBar& owner) : TOwnedCollectionOf(&owner), statusBar_(owner) {}

void TStatusPanels::Update(TCollectionItem* item)
{
    if (item)
        statusBar_.UpdatePanelText(item->Index());
    else
        statusBar_.UpdatePanels();
}

void TStatusPanels::Notify(TCollectionItem* item, TCollectionNotification action)
{
    if (action == cnAdded)
        pending_ = item;
}

// ============================================================ TStatusBar

void TStatusBar::Publish(ui::TPublisher<TStatusBar>& p)
{
    p.Object("Panels", &TStatusBar::PanelsObject);
    p.Boolean("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(0);
    p.Text("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    p.Boolean("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(1);
    p.Enum("Align", ui::AlignInfo, &TStatusBar::Align, &TStatusBar::SetAlign).Default(alBottom);
    p.Boolean("TabStop", &TStatusBar::TabStop, &TStatusBar::SetTabStop).Default(0);
    p.Event("OnDrawPanel", &TStatusBar::OnDrawPanel);
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>(*this)), canvas_(std::make_unique<TCanvas>()),
      dock_(*this, alBottom)
{
    ui::LoadCommonControls(ICC_BAR_CLASSES);
    UpdateStoredBounds(0, 0, 200, 19);
}

TStatusBar::~TStatusBar()
{
    // The window goes while the panels it shows still exist.
    Destroying();
    DestroyComponents();
    DestroyHandle();
}

void TStatusBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = STATUSCLASSNAMEA;
    params.OwnClass = false;
    // The framework places the bar; the system would move it on every size.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (sizeGrip_)
        params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(WindowHandle(), SB_SIMPLE, simplePanel_ ? TRUE : FALSE, 0);
    SendMessageA(WindowHandle(), SB_SETTEXTA, ui::kSimplePart | SBT_NOBORDERS,
                 reinterpret_cast<LPARAM>(simpleText_.c_str()));
    UpdatePanels();
}

void TStatusBar::SetParent(TWinControl* parent)
{
    TWinControl::SetParent(parent);
    dock_.ParentChanged();
}

void TStatusBar::BoundsChanged()
{
    TWinControl::BoundsChanged();
    dock_.Apply();
}

void TStatusBar::UpdatePanels()
{
    if (!HandleAllocated() || panels_->pending_)
        return;
    const int count = panels_->Count();
    std::vector<int> edges(static_cast<std::size_t>(count > 0 ? count : 1), -1);
    int right = 0;
    for (int i = 0; i + 1 < count; ++i) {
        right += panels_->Items(i)->Width();
        edges[static_cast<std::size_t>(i)] = right;
    }
    SendMessageA(WindowHandle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i)
        UpdatePanelText(i);
}

void TStatusBar::UpdatePanelText(int index)
{
    if (!HandleAllocated() || panels_->pending_ || index < 0 || index >= panels_->Count())
        return;
    const TStatusPanel& panel = *panels_->Items(index);
    WPARAM part = static_cast<WPARAM>(index);
    if (panel.Bevel() == pbNone)
        part |= SBT_NOBORDERS;
    else if (panel.Bevel() == pbRaised)
        part |= SBT_POPOUT;
    if (panel.Style() == psOwnerDraw) {
        SendMessageA(WindowHandle(), SB_SETTEXTA, part | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(&panel));
        return;
    }
    // The system centres what follows one tab and right-aligns what follows two.
    std::string text = panel.Alignment() == taCenter ? "\t" : panel.Alignment() == taRightJustify ? "\t\t" : "";
    text += panel.Text();
    SendMessageA(WindowHandle(), SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetSimplePanel(bool value)
{
    simplePanel_ = value;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), SB_SIMPLE, value ? TRUE : FALSE, 0);
}

void TStatusBar::SetSimpleText(std::string_view value)
{
    simpleText_ = std::string(value);
    if (HandleAllocated())
        SendMessageA(WindowHandle(), SB_SETTEXTA, ui::kSimplePart | SBT_NOBORDERS,
                     reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::SetSizeGrip(bool value)
{
    if (value == sizeGrip_)
        return;
    sizeGrip_ = value;
    RecreateWnd();
}

void TStatusBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        const auto index = static_cast<int>(item->itemID);
        if (index >= 0 && index < panels_->Count()) {
            const ui::ScopedCanvasBinding binding(*canvas_, item->hDC);
            canvas_->SetFont(Font());
            OnDrawPanel(this, panels_->Items(index), item->rcItem);
        }
        message.Result = TRUE;
        return;
    }
    TWinControl::WndProc(message);
}
