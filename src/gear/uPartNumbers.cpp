#include "gear/uPartNumbers.h"

#include <limits>

void TPartNumbers::Add(int ID) {
    if (ID < 1 || ++FCount[ID] > 1)
        return;
    FRunEnds.erase(ID - 1);
    // The largest number has no successor that could be free.
    if (ID < std::numeric_limits<int>::max() && !Used(ID + 1))
        FRunEnds.insert(ID);
}

void TPartNumbers::Remove(int ID) {
    const auto Found = FCount.find(ID);
    if (ID < 1 || Found == FCount.end() || --Found->second > 0)
        return;
    FCount.erase(Found);
    FRunEnds.erase(ID);
    if (Used(ID - 1))
        FRunEnds.insert(ID - 1);
}

void TPartNumbers::Clear() {
    FCount.clear();
    FRunEnds = {0};
}

void TPartNumbers::Renumbered(int Old, int New) {
    Remove(Old);
    Add(New);
}
