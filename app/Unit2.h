// The About window: pictures, the product's texts and an OK button. Made
// hidden at start-up and shown modally as often as asked.
#pragma once

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

class TForm2 : public TForm {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TForm2>& p);

    explicit TForm2(TComponent* owner) : TForm(owner) { LoadForm(); }

    TPanel* Panel1 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TLabel* ProductName = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Comments = nullptr;
    TImage* Image1 = nullptr;
    TButton* OKButton = nullptr;

    void OKButtonClick(TObject* sender);
};

extern TForm2* Form2;
