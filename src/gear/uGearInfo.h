// The descriptive record of a mechanism: its author and description, kept for the mechanism file
// and the information dialog.
#pragma once

#include "platform/Object.h"

#include <string>

class TGearInfo : public TObject {
public:
    TGearInfo() { Clear(); }

    const std::string& Author() const { return FAuthor; }
    void SetAuthor(const std::string& Value) { FAuthor = Value; }
    // Line breaks are kept as the two characters "\n".
    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& Value) { FDescription = Value; }

    // A new mechanism starts without the previous one's author and description.
    void Clear() {
        FAuthor.clear();
        FDescription.clear();
    }

private:
    std::string FAuthor;
    std::string FDescription;
};
