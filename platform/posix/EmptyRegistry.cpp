#include "platform/posix/EmptyRegistry.h"

namespace platform::posix {

long EmptyRegistry::openKey(std::uint32_t, const std::string&, std::uint32_t, std::uint32_t, std::uint32_t&) {
    return ERROR_FILE_NOT_FOUND;
}

// No key is ever open, so every handle is unknown.
long EmptyRegistry::queryValue(std::uint32_t, const std::string&, std::uint32_t&, std::vector<std::uint8_t>&,
                               std::uint32_t&) {
    return ERROR_INVALID_HANDLE;
}

long EmptyRegistry::closeKey(std::uint32_t) {
    return ERROR_INVALID_HANDLE;
}

}  // namespace platform::posix
