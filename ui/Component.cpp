#include "ui/Component.h"

#include "ui/AnsiText.h"
#include "ui/Exceptions.h"
#include "ui/Properties.h"

#include <algorithm>

namespace {

bool IsIdentifier(std::string_view name)
{
    const auto isAlpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.empty() || !isAlpha(name.front())) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [&](char c) { return isAlpha(c) || isDigit(c); });
}

} // namespace

constinit const TClassInfo TComponent::ClassInfo = ui::ClassOf<TComponent>("TComponent", TPersistent::ClassInfo);

void TComponent::Publish(ui::TPublisher<TComponent>& p)
{
    p.Text("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    p.Integer("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* owner)
{
    if (owner != nullptr) {
        owner->InsertComponent(*this);
    }
}

TComponent::~TComponent()
{
    Destroying();
    // Tell every component that asked; each may drop its pointer to us.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->RemoveNotification(*this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_ != nullptr) {
        owner_->RemoveComponent(*this);
    }
}

TPersistent* TComponent::GetOwner() const
{
    return owner_;
}

std::string TComponent::GetNamePath() const
{
    return name_.empty() ? std::string(ClassName()) : name_;
}

void TComponent::SetName(std::string_view name)
{
    if (name == name_) {
        return;
    }
    if (!name.empty() && !IsIdentifier(name)) {
        throw EComponentError("'" + std::string(name) + "' is not a valid component name");
    }
    if (owner_ != nullptr && !name.empty()) {
        const TComponent* existing = owner_->FindComponent(name);
        if (existing != nullptr && existing != this) {
            throw EComponentError("A component named " + std::string(name) + " already exists");
        }
    }
    SetReference(false);
    name_ = name;
    SetReference(true);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount()) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (owner_ == nullptr) {
        return -1;
    }
    const auto& list = owner_->components_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty()) {
        return nullptr;
    }
    for (TComponent* component : components_) {
        if (ui::SameText(component->name_, name)) {
            return component;
        }
    }
    return nullptr;
}

void TComponent::InsertComponent(TComponent& component)
{
    if (component.owner_ != nullptr) {
        component.owner_->RemoveComponent(component);
    }
    if (!component.name_.empty() && FindComponent(component.name_) != nullptr) {
        throw EComponentError("A component named " + component.name_ + " already exists");
    }
    Insert(component);
    component.SetReference(true);
    Notification(&component, opInsert);
}

void TComponent::RemoveComponent(TComponent& component)
{
    if (component.owner_ != this) {
        return;
    }
    Notification(&component, opRemove);
    component.SetReference(false);
    Remove(component);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* last = components_.back();
        last->SetReference(false);
        Remove(*last);
        delete last;
    }
}

void TComponent::Destroying()
{
    if (state_.Contains(csDestroying)) {
        return;
    }
    state_.Include(csDestroying);
    for (TComponent* component : components_) {
        component->Destroying();
    }
}

void TComponent::FreeNotification(TComponent* component)
{
    if (component == nullptr || component == this) {
        return;
    }
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
    }
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end()) {
        component->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (component == nullptr) {
        return;
    }
    RemoveNotification(*component);
    component->RemoveNotification(*this);
}

void TComponent::Loaded()
{
    state_.Exclude(csLoading);
}

void TComponent::GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const
{
    if (&root != this) {
        return;
    }
    for (TComponent* component : components_) {
        if (!component->HasParent()) {
            proc(*component);
        }
    }
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component != nullptr) {
        RemoveFreeNotification(component);
    }
    // Owned components may hold pointers to the one going; walk from the end
    // and re-check the index, since a handler may free components.
    for (std::size_t i = components_.size(); i > 0;) {
        --i;
        if (i < components_.size()) {
            components_[i]->Notification(component, operation);
        }
    }
}

void TComponent::SetReference(bool enable)
{
    if (owner_ == nullptr || name_.empty()) {
        return;
    }
    const ui::TFieldInfo* field = ui::PropertiesOf(owner_->ClassType()).FindField(name_);
    if (field == nullptr) {
        return;
    }
    if (enable) {
        if (InheritsFrom(*field->FieldClass)) {
            field->Set(*owner_, this);
        }
    } else if (field->Get(*owner_) == this) {
        field->Set(*owner_, nullptr);
    }
}

void TComponent::Insert(TComponent& component)
{
    components_.push_back(&component);
    component.owner_ = this;
}

void TComponent::Remove(TComponent& component)
{
    std::erase(components_, &component);
    component.owner_ = nullptr;
}

void TComponent::RemoveNotification(TComponent& component)
{
    std::erase(freeNotifies_, &component);
}

void TComponent::SetState(TComponentStateItem item, bool on)
{
    if (on) {
        state_.Include(item);
    } else {
        state_.Exclude(item);
    }
}
