#pragma once
// A registry file in a private temporary folder, seeded from .reg text and
// opened for the ten calls; closed and removed again at the end. Also short
// readers that check what the store holds.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.h"

namespace brackwell::testing {

class TemporaryRegistry {
public:
    explicit TemporaryRegistry(std::string_view regText);
    ~TemporaryRegistry();
    TemporaryRegistry(const TemporaryRegistry&) = delete;
    TemporaryRegistry& operator=(const TemporaryRegistry&) = delete;

    // Empty when the registry opened and took the whole .reg text.
    const std::string& error() const { return error_; }
    std::string path() const { return folder_ + "/registry.sqlite3"; }

private:
    std::string folder_;
    std::string error_;
};

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// The UTF-16 bytes of a text, little-endian, without a terminator.
std::vector<BYTE> Utf16(std::u16string_view text);

std::optional<StoredValue> ReadStoredValue(HKEY root, std::u16string_view path,
                                           std::u16string_view name);
// Names exactly as stored, in enumeration order.
std::vector<std::u16string> StoredValueNames(HKEY root, std::u16string_view path);

}  // namespace brackwell::testing
