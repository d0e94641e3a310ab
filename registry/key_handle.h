#pragma once
// An open key that closes itself: for code that walks the registry through the
// ten calls and must not leak a handle on any of its ways out.

#include <utility>

#include "registry/registry.h"

namespace brackwell::registry {

class KeyHandle {
public:
    KeyHandle() = default;
    explicit KeyHandle(HKEY key) : key_(key) {}
    KeyHandle(KeyHandle&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    KeyHandle& operator=(KeyHandle&& other) noexcept {
        if (this != &other) {
            Close();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    ~KeyHandle() { Close(); }

    HKEY get() const { return key_; }
    // For RegOpenKeyEx and RegCreateKeyEx to fill; closes what was held before.
    HKEY* out() {
        Close();
        return &key_;
    }

private:
    void Close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }

    HKEY key_ = nullptr;
};

}  // namespace brackwell::registry
