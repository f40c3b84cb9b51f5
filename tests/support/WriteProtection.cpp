#include "support/WriteProtection.h"

#include <linux/capability.h>
#include <stdexcept>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The capabilities that let a process write, search or change what its mode forbids.
constexpr std::uint32_t Overrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

struct TCaps {
    __user_cap_header_struct Header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct Data[_LINUX_CAPABILITY_U32S_3]{};
};

TCaps Current() {
    TCaps C;
    if (syscall(SYS_capget, &C.Header, C.Data) != 0)
        throw std::runtime_error("capget failed");
    return C;
}

// Only the effective set changes (per thread): the permitted set keeps what may be taken back.
void SetEffective(std::uint32_t Effective) {
    TCaps C = Current();
    C.Data[0].effective = Effective;
    if (syscall(SYS_capset, &C.Header, C.Data) != 0)
        throw std::runtime_error("capset failed");
}

} // namespace

TWriteProtectionInForce::TWriteProtectionInForce() : FOldEffective(Current().Data[0].effective) {
    SetEffective(FOldEffective & ~Overrides);
}

TWriteProtectionInForce::~TWriteProtectionInForce() {
    SetEffective(FOldEffective);
}
