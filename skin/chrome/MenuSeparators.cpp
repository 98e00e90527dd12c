#include "skin/chrome/MenuSeparators.h"

#include "ui/Menus.h"

void TidySeparators(TMenuItem& parent)
{
    const int count = parent.Count();
    int first = 0;
    for (; first < count; ++first) {
        TMenuItem* const item = parent.Items(first);
        if (!item->IsLine() && item->Visible())
            break;
        if (item->IsLine())
            item->SetVisible(false);
    }
    if (first == count)
        return;

    TMenuItem* pending = nullptr;
    int lastVisible = first;
    for (int i = first; i < count; ++i) {
        TMenuItem* const item = parent.Items(i);
        if (item->IsLine()) {
            if (pending != nullptr && pending->Visible())
                pending->SetVisible(false);
            pending = item;
        } else if (item->Visible()) {
            if (pending != nullptr && !pending->Visible())
                pending->SetVisible(true);
            pending = nullptr;
            lastVisible = i;
        }
    }

    for (int i = count - 1; i > lastVisible; --i) {
        TMenuItem* const item = parent.Items(i);
        if (item->IsLine() && item->Visible())
            item->SetVisible(false);
    }
}
