#include "app/Unit2.h"

TForm2* Form2 = nullptr;

constinit const TClassInfo TForm2::ClassInfo = ui::ClassOf<TForm2>("TForm2", TForm::ClassInfo);

void TForm2::Publish(ui::TPublisher<TForm2>& p)
{
    p.Field("Panel1", &TForm2::Panel1);
    p.Field("Image2", &TForm2::Image2);
    p.Field("Image3", &TForm2::Image3);
    p.Field("ProductName", &TForm2::ProductName);
    p.Field("Label2", &TForm2::Label2);
    p.Field("Edit1", &TForm2::Edit1);
    p.Field("Edit2", &TForm2::Edit2);
    p.Field("Label1", &TForm2::Label1);
    p.Field("Comments", &TForm2::Comments);
    p.Field("Image1", &TForm2::Image1);
    p.Field("OKButton", &TForm2::OKButton);
    p.Method("OKButtonClick", &TForm2::OKButtonClick);
}

void TForm2::OKButtonClick(TObject*)
{
    Close();
}
