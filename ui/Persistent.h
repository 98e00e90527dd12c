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
    // collection, a component to its owner).
    virtual TPersistent* GetOwner() const { return nullptr; }
    // How messages name the object: a component's name, a collection item's
    // "Columns[2]"; the class name otherwise.
    virtual std::string GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent& dest) const;
};
