#include "ui/Persistent.h"

#include "ui/Exceptions.h"

constinit const TClassInfo TPersistent::ClassInfo = ui::ClassOf<TPersistent>("TPersistent", TObject::ClassInfo);

void TPersistent::Assign(const TPersistent& source)
{
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const
{
    throw EConvertError("Cannot assign a " + std::string(ClassName()) + " to a " + std::string(dest.ClassName()));
}

std::string TPersistent::GetNamePath() const
{
    return std::string(ClassName());
}
