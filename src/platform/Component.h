// The component base: an owner frees what it owns (the last first), and components that asked
// for free notification hear of each other's destruction through Notification.
#pragma once

#include "platform/Object.h"

#include <string>
#include <vector>

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& AName) { FName = AName; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const { return FComponents.at(Index); }

    // Asks AComponent to tell this component when it is freed, and the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Set once destruction has begun.
    bool IsDestroying() const { return FDestroying; }

protected:
    // Raised for components this one owns or asked to be notified about.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    // Called first by the destructor of the most derived class that needs it; idempotent.
    void Destroying() { FDestroying = true; }

private:
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    static void Erase(std::vector<TComponent*>& List, TComponent* C);

    TComponent* FOwner = nullptr;
    std::string FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    bool FDestroying = false;
};
