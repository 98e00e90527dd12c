// The cool bar (the system's ReBarWindow32): bands in rows, each with a
// caption and a child control, which the user drags to order and size.
#pragma once

#include "ui/Align.h"
#include "ui/Collection.h"
#include "ui/Control.h"

#include <memory>
#include <string>
#include <string_view>

class TCoolBar;

class TCoolBand : public TCollectionItem {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCoolBand>& p);

    explicit TCoolBand(TCollection* collection);

    const std::string& Text() const { return text_; }
    void SetText(std::string_view value);
    // A window of the bar's children shown in the band; null for none.
    TWinControl* Control() const { return control_; }
    void SetControl(TWinControl* value);
    int Width() const { return width_; }
    void SetWidth(int value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value);
    // The band starts a new row.
    bool Break() const { return break_; }
    void SetBreak(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    void Assign(const TPersistent& source) override;

private:
    friend class TCoolBar;
    TCoolBar* Bar() const;

    std::string text_;
    TWinControl* control_ = nullptr;
    int width_ = 120;
    int minHeight_ = 25;
    bool break_ = true;
    TColor color_ = clBtnFace;
};

class TCoolBands : public TOwnedCollectionOf<TCoolBand> {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TCoolBands(TCoolBar& owner);

protected:
    void Update(TCollectionItem* item) override;
    void Notify(TCollectionItem* item, TCollectionNotification action) override;

private:
    TCoolBar& bar_;
};

class TCoolBar : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCoolBar>& p);

    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;

    TCoolBands& Bands() const { return *bands_; }
    TCoolBands* BandsObject() const { return bands_.get(); }
    TAlign Align() const { return dock_.Align(); }
    void SetAlign(TAlign value) { dock_.SetAlign(value); }

    void SetParent(TWinControl* parent) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation operation) override;
    void BoundsChanged() override;

private:
    friend class TCoolBand;
    friend class TCoolBands;

    int ShownBands() const;
    void InsertBand(int index, const TCoolBand& band);
    void UpdateBand(int index, const TCoolBand& band);

    std::unique_ptr<TCoolBands> bands_;
    ui::EdgeDock dock_;
};
