#include "platform/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    FDestroying = true;
    // Tell everybody who asked, then free what we own from the last to the first.
    while (!FFreeNotifies.empty()) {
        TComponent* Other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        Erase(Other->FFreeNotifies, this);
        Other->Notification(this, TOperation::opRemove);
    }
    while (!FComponents.empty())
        delete FComponents.back(); // the child removes itself from FComponents
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Erase(std::vector<TComponent*>& List, TComponent* C) {
    auto It = std::find(List.begin(), List.end(), C);
    if (It != List.end())
        List.erase(It);
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
        AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent)
        return;
    Erase(FFreeNotifies, AComponent);
    Erase(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::InsertComponent(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    Erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
    if (!FDestroying)
        Notification(AComponent, TOperation::opRemove);
}
