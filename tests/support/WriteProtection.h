// Makes write protection bind the test process as it binds a user: root (as in CI) passes over
// file modes through its capabilities, so the failure paths of write-protected files and folders
// would never run. The capabilities come back afterwards; for other users this changes nothing.
#pragma once

#include <cstdint>

class TWriteProtectionInForce {
public:
    TWriteProtectionInForce();
    ~TWriteProtectionInForce();
    TWriteProtectionInForce(const TWriteProtectionInForce&) = delete;
    TWriteProtectionInForce& operator=(const TWriteProtectionInForce&) = delete;

private:
    std::uint32_t FOldEffective = 0;
};
