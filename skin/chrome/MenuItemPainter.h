// Skinned menu items. Every entry of a skinned menu is owner-drawn: items of
// the framework's menus get skinned OnMeasureItem/OnDrawItem events, and
// entries that exist only in a system menu are measured and drawn when their
// WM_MEASUREITEM/WM_DRAWITEM reaches the skinned window. Each entry paints
// the part of its popup's background that lies under it (TWinSkinPopMenu
// keeps it), then its MenuItem cell, glyph, caption and shortcut.
#pragma once

#include "ui/Menus.h"

#include <windows.h>

#include <string>

class TSkinData;

// What an entry shows, whether it comes from a framework item or from a
// system menu entry.
struct TMenuEntry {
    std::string Caption;          // "-" for a separator
    bool Enabled = true;
    bool Checked = false;
    bool Default = false;         // drawn bold
    TShortCut ShortCut = scNone;
    TImageList* Images = nullptr; // the glyphs ImageIndex refers to
    int ImageIndex = -1;
    bool RightToLeft = false;

    bool IsLine() const { return Caption == "-"; }
    static TMenuEntry Of(const TMenuItem& item);
};

// The window whose menus are being measured and drawn.
struct TMenuWindowInfo {
    HWND Window = nullptr;
    // The framework form's menu bar; null for a foreign window or a form without one.
    TMainMenu* MenuBar = nullptr;
    // A form of the framework (else a foreign window: every entry is a system one).
    bool FrameworkForm = false;
    // The window had a menu when it was skinned.
    bool HadMenu = false;
    // The drop-down of the menu bar being tracked: system entries' captions are read from it.
    HMENU TrackedSubMenu = nullptr;
};

class TMenuItemPainter {
public:
    explicit TMenuItemPainter(TSkinData* skinData) : FSkinData(skinData) {}

    TSkinData* SkinData() const noexcept { return FSkinData; }

    // ---- the events put on framework items (the item is the sender)
    void MeasureMainItem(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MeasurePopupItem(TObject* sender, TCanvas* canvas, int& width, int& height);
    void DrawMenuItem(TObject* sender, TCanvas* canvas, RECT rect, bool selected);

    // ---- the skinned window's WM_MEASUREITEM and WM_DRAWITEM; false sends
    // the message on to the window's own procedure
    bool HandleMeasureItem(const TMenuWindowInfo& window, MEASUREITEMSTRUCT& measure);
    bool HandleDrawItem(const TMenuWindowInfo& window, const DRAWITEMSTRUCT& draw);

    // ---- switching owner drawing on and off for a form's menus
    void SkinPopupMenus(TComponent& component, bool on);
    void SkinMainMenus(TComponent& component, bool on);
    void SkinMenuItems(TMenuItem& item, bool on);
    // One popup menu owner-drawn by the skin, whatever the form's settings.
    void SkinPopupMenu(TPopupMenu& popup, bool on);

    // Draws one entry onto canvas at rect: the popup's background under it
    // (shifted by the popup's border), the MenuItem cell and the content.
    // A separator from a system menu (lineAsItem) is drawn as an item whose
    // content is an etched line.
    void DrawEntry(TCanvas& canvas, const RECT& rect, bool selected, const TMenuEntry& entry, HMENU menu,
                   bool lineAsItem = false);

private:
    // How much wider than the framework's measure an entry gets.
    int ExtraWidth(const TMenuItem& item, int withImages, int withoutImages) const;
    void DrawPlain(TCanvas& canvas, const RECT& rect, bool selected, const TMenuEntry& entry);
    void DrawContent(TCanvas& canvas, const RECT& rect, bool selected, const TMenuEntry& entry);
    void DrawSeparator(TCanvas& canvas, const RECT& rect);
    TMenuEntry SystemEntry(HMENU menu, UINT command) const;
    bool IsOurs(const ui::TEventBase& event) const { return event.Data() == this; }
    void SkinPopupItems(TMenuItem& item, bool on);

    TSkinData* FSkinData;
};
