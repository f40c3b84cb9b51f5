#include "platform/Round.h"

#include <cfenv>
#include <climits>
#include <cmath>

namespace {
int Saturate(double V) {
    if (std::isnan(V))
        return 0;
    if (V >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (V <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(V);
}
} // namespace

int Round(double V) {
    // nearbyint follows the current rounding mode, which no code of ours changes from
    // round-to-nearest-even; std::round would round ties away from zero.
    return Saturate(std::nearbyint(V));
}

int Trunc(double V) {
    return Saturate(std::trunc(V));
}
