// The gallery's own modal dialog: a small settings window with an edit, a
// combo box, check boxes and OK and Cancel buttons.
#pragma once

#include "ui/Forms.h"

class TEdit;

class TGalleryDialog : public TForm {
public:
    explicit TGalleryDialog(TComponent* owner);

    TEdit& NameEdit() const { return *name_; }

private:
    TEdit* name_ = nullptr;
};
