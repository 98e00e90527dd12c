// The status bar (the system's msctls_statusbar32): a row of panels, or one
// simple text across the bar, docked to the bottom of its parent.
#pragma once

#include "ui/Align.h"
#include "ui/Collection.h"
#include "ui/Control.h"

#include <memory>
#include <string>
#include <string_view>

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TStatusPanel>& p);

    explicit TStatusPanel(TCollection* collection);

    const std::string& Text() const { return text_; }
    void SetText(std::string_view value);
    // Pixels; the last panel reaches the bar's right end whatever its width.
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // Owner-drawn panels are painted by the bar's OnDrawPanel.
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    std::string DisplayName() const override { return text_; }
    void Assign(const TPersistent& source) override;

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelStyle style_ = psText;
    TStatusPanelBevel bevel_ = pbLowered;
};

class TStatusPanels : public TOwnedCollectionOf<TStatusPanel> {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TStatusPanels(TStatusBar& owner);


protected:
    void Update(TCollectionItem* item) override;
    void Notify(TCollectionItem* item, TCollectionNotification action) override;

private:
    friend class TStatusPanel;
    friend class TStatusBar;

    TStatusBar& statusBar_;
    // Announced by the collection, its own constructor not yet run.
    TCollectionItem* pending_ = nullptr;
};

using TDrawPanelEvent = TEvent<TStatusBar*, TStatusPanel*, const RECT&>;

class TStatusBar : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TStatusBar>& p);

    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels& Panels() const { return *panels_; }
    TStatusPanels* PanelsObject() const { return panels_.get(); }
    // One text across the whole bar instead of the panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(std::string_view value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    TAlign Align() const { return dock_.Align(); }
    void SetAlign(TAlign value) { dock_.SetAlign(value); }
    // Bound to the panel's DC while OnDrawPanel runs.
    TCanvas& Canvas() { return *canvas_; }

    void SetParent(TWinControl* parent) override;
    void WndProc(TMessage& message) override;

    TDrawPanelEvent OnDrawPanel;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void BoundsChanged() override;

private:
    friend class TStatusPanels;

    // Panel edges, then every panel's text.
    void UpdatePanels();
    void UpdatePanelText(int index);

    std::unique_ptr<TStatusPanels> panels_;
    std::unique_ptr<TCanvas> canvas_;
    ui::EdgeDock dock_;
    bool simplePanel_ = false;
    bool sizeGrip_ = true;
    std::string simpleText_;
};

namespace ui {
extern const TEnumInfo StatusPanelStyleInfo;
extern const TEnumInfo StatusPanelBevelInfo;
} // namespace ui
