// TMenuBtn: one item of a skinned menu bar. The bar reads the items from the
// window's menu and lays them out; an item repaints itself over the bar's
// background when the mouse moves onto it, presses it or leaves it.
#pragma once

#include "skin/chrome/NCObject.h"

#include <windows.h>

#include <string>

class TMenuItem;
class TNCOwner;
class TSkinData;

class TMenuBtn : public TNCObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TMenuBtn(TNCOwner& form, TSkinData& skinData, int index);

    TSkinData& SkinData() const { return skinData_; }
    // Draws the item in its present state on the window itself.
    void Paint() override;
    // Draws the item at its rectangle into dc, a picture of the whole window:
    // the bar's background under it, a highlight frame while it is hot, and
    // its caption centred in the menu font.
    void Draw(HDC dc) const;

    // The framework item it stands for, if any.
    TMenuItem* MenuItem = nullptr;
    // Its position in the bar, from 0.
    int Index = 0;
    // "&" marks the accelerator.
    std::wstring Caption;
    bool Enabled = true;
    // Its drop-down; none when the item has no children.
    HMENU SubMenu = nullptr;
    UINT Command = 0;

private:
    TNCOwner& form_;
    TSkinData& skinData_;
};
