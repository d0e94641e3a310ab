#include "registry/registry_error_text.h"

namespace brackwell::registry {

std::string RegistryErrorText(LONG rc) {
    switch (rc) {
        case ERROR_FILE_NOT_FOUND:
            return "it does not exist";
        case ERROR_ACCESS_DENIED:
            return "a root key cannot be changed that way";
        case ERROR_INVALID_HANDLE:
            return "no registry is open";
        case ERROR_INVALID_PARAMETER:
            return "a name or the data is past the registry's limits";
        case ERROR_KEY_DELETED:
            return "the key was deleted meanwhile";
        case ERROR_BUSY:
            return "the registry is locked by another program";
        case ERROR_NOT_ENOUGH_MEMORY:
            return "not enough memory";
        case ERROR_REGISTRY_CORRUPT:
            return "the registry file is damaged";
        case ERROR_WRITE_FAULT:
            return "the registry file cannot be written";
        default:
            return "the registry file cannot be read or written (error " + std::to_string(rc) + ")";
    }
}

}  // namespace brackwell::registry
