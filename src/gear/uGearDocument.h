// What the mechanism component needs of its document manager: starting a new, untitled document.
// The manager itself reads and writes files, a layer above the model; whoever makes the component
// hands it a factory, so the model never depends on the file layer.
#pragma once

#include "platform/Object.h"

#include <functional>
#include <memory>

class TGearData;

class TGearDocument : public TObject {
public:
    // The model has already been cleared.
    virtual void NewFile() = 0;
};

using TGearDocumentFactory = std::function<std::unique_ptr<TGearDocument>(TGearData& GearData)>;
