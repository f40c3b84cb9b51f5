// The revision of a mechanism model: a count that moves on with every change of what a mechanism
// file holds, so that whatever is derived from the whole model (the document's checksum) can
// tell in constant time whether the model changed since.
#pragma once

#include "gear/uPartNumbers.h"

#include <cstdint>

class TModelRevision {
public:
    std::uint64_t Value() const { return FValue; }
    void Touch() { ++FValue; }

private:
    std::uint64_t FValue = 0;
};

// The revision an object reports its changes to, if any. A copy of the object reports to none:
// it is no part of the model.
class TRevisionLink {
public:
    TRevisionLink() = default;
    TRevisionLink(const TRevisionLink&) {}
    TRevisionLink& operator=(const TRevisionLink&) { return *this; }

    void Set(TModelRevision* Revision) { FRevision = Revision; }
    void Touch() const {
        if (FRevision)
            FRevision->Touch();
    }

private:
    TModelRevision* FRevision = nullptr;
};

// What a part listed in a model reports to: the model's revision and, for links, the index of
// their numbers.
class TPartListing {
public:
    TPartListing(TModelRevision& Revision, TPartNumbers* Numbers)
        : FRevision(Revision), FNumbers(Numbers) {}
    TPartListing(const TPartListing&) = delete;
    TPartListing& operator=(const TPartListing&) = delete;

    TModelRevision& Revision() const { return FRevision; }
    void Renumbered(int Old, int New) {
        if (FNumbers)
            FNumbers->Renumbered(Old, New);
        FRevision.Touch();
    }

private:
    TModelRevision& FRevision;
    TPartNumbers* FNumbers;
};
