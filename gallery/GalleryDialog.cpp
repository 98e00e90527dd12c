#include "gallery/GalleryDialog.h"

#include "ui/Buttons.h"
#include "ui/ComboBox.h"
#include "ui/StdCtrls.h"

namespace {

template <class T>
T* Place(TForm& form, std::string_view caption, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetBounds(left, top, width, height);
    control->SetCaption(caption);
    control->SetParent(&form);
    return control;
}

} // namespace

TGalleryDialog::TGalleryDialog(TComponent* owner) : TForm(owner)
{
    SetCaption("画廊设置");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(300);
    SetClientHeight(170);
    Place<TLabel>(*this, "名称(&N)：", 12, 16, 70, 16);
    name_ = Place<TEdit>(*this, "默认", 90, 12, 196, 21);
    Place<TLabel>(*this, "地区：", 12, 48, 70, 16);
    auto* region = Place<TComboBox>(*this, "", 90, 44, 196, 24);
    region->SetStyle(csDropDownList);
    for (const char* name : {"华北", "华东", "华南", "西南"})
        region->Items().Add(name);
    region->SetItemIndex(1);
    Place<TCheckBox>(*this, "启动时打开(&S)", 90, 76, 196, 20)->SetChecked(true);
    Place<TCheckBox>(*this, "显示提示(&T)", 90, 100, 196, 20);
    auto* ok = Place<TButton>(*this, "确定", 126, 134, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = Place<TButton>(*this, "取消", 211, 134, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    SetActiveControl(name_);
}
