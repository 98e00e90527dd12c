// Components: named objects with an owner. The owner frees what it owns, in
// reverse order of insertion; free notification tells holders of a pointer
// that the component is going away.
#pragma once

#include "ui/Persistent.h"
#include "ui/Sets.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
template <class T>
class TPublisher;
class TFormReader;
} // namespace ui

enum TComponentStateItem : unsigned {
    csLoading,    // from the start of reading form data until Loaded
    csReading,    // while its properties are being read
    csWriting,    // while the form writer writes it
    csDestroying, // from Destroying until freed
    csUpdating,
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : unsigned { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TComponent>& p); // Name, Tag

    // An owned component is freed by its owner; deleting it earlier is fine,
    // it leaves its owner first.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override;
    std::string GetNamePath() const override;

    const std::string& Name() const { return name_; }
    // Throws EComponentError for a name that is not an identifier or is
    // already used by another component of the same owner (any letter case).
    virtual void SetName(std::string_view name);
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    std::span<TComponent* const> ComponentList() const { return components_; }
    // Position in the owner's list, -1 without owner.
    int ComponentIndex() const;
    // Owned component by name, any letter case; null when none.
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent& component);
    void RemoveComponent(TComponent& component);
    // Frees every owned component, last first.
    void DestroyComponents();

    TComponentState ComponentState() const { return state_; }
    // Marks this component and everything it owns as being destroyed.
    void Destroying();

    // component will receive Notification(this, opRemove) when this is freed,
    // and this learns when component is freed. Safe to call repeatedly.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Points field at value, the free notification moved from the old
    // component to the new one; false when it pointed there already.
    template <class T>
    bool ReplaceReference(T*& field, T* value)
    {
        if (value == field)
            return false;
        if (field)
            field->RemoveFreeNotification(this);
        field = value;
        if (field)
            field->FreeNotification(this);
        return true;
    }

    // After the whole form has been read; clears csLoading. Overrides call the
    // base first.
    virtual void Loaded();

    // Form-file nesting. A component with a parent (a control) is written
    // inside its parent's block; the reader hands it the enclosing component.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* /*parent*/) {}
    // Calls proc for each component to be written nested inside this one when
    // root is being written. The default (for root itself) gives the owned
    // components without a parent; containers of controls add their children.
    virtual void GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const;

protected:
    // Another component was inserted into or removed from the owner tree, or
    // a component this one asked to be told about is being freed. Overrides
    // must call the base, which passes the news on to owned components.
    virtual void Notification(TComponent* component, TOperation operation);
    // Updates the published field of the owner (TPublisher::Field) that names this component.
    void SetReference(bool enable);

private:
    friend class ui::TFormReader;

    void Insert(TComponent& component);
    void Remove(TComponent& component);
    void RemoveNotification(TComponent& component);
    void SetState(TComponentStateItem item, bool on);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::intptr_t tag_ = 0;
    TComponentState state_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};
