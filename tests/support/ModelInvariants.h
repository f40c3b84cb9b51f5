// The consistency rules that every edit of the mechanism data model must leave behind, checked in
// one place so each editing test can assert them after its edit.
#pragma once

#include <gtest/gtest.h>

class TGearData;

// Succeeds when the model is consistent; otherwise lists every rule that is broken:
// cross references symmetric and inside the model, every part in the registry and the registry
// holding nothing else, Selected set exactly for the parts in the selection lists (never both
// kinds), drives naming only parts of the model, the frame (if any) at index 0 with ID 1, no loose
// link or joint, no stray virtual joint, distinct numbers, and the surface holding no part that
// has left the model.
::testing::AssertionResult ModelIsConsistent(const TGearData& Data);
