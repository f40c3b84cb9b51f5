// The descriptive record of a mechanism: its author and description, kept for the mechanism file
// and the information dialog.
#pragma once

#include "gear/uModelRevision.h"
#include "platform/Object.h"

#include <string>

class TGearInfo : public TObject {
public:
    TGearInfo() { Clear(); }

    // The revision of the model the record belongs to, moved on by every change.
    void SetRevision(TModelRevision* Revision) { FRevision.Set(Revision); }

    const std::string& Author() const { return FAuthor; }
    void SetAuthor(const std::string& Value) {
        FAuthor = Value;
        FRevision.Touch();
    }
    // Line breaks are kept as the two characters "\n".
    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& Value) {
        FDescription = Value;
        FRevision.Touch();
    }

    // A new mechanism starts without the previous one's author and description.
    void Clear() {
        FAuthor.clear();
        FDescription.clear();
        FRevision.Touch();
    }

private:
    TRevisionLink FRevision;
    std::string FAuthor;
    std::string FDescription;
};
