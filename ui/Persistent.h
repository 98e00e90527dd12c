// Objects that can copy each other's state (Assign) and publish properties.
#pragma once

#include "ui/Object.h"

#include <string>

class TPersistent : public TObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // Copies source's state into this object. The default asks source to do it
    // (AssignTo); a pair that knows nothing of each other raises EConvertError.
    virtual void Assign(const TPersistent& source);

    // The object this one belongs to (a font to its control, an item to its
    // collection); names nested objects in messages.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // "Form1.Button1.Font": the dotted path of names up the owner chain.
    virtual std::string GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent& dest) const;
};
