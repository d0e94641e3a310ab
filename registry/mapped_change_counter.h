#pragma once
// The registry file's change counter read from a shared mapping of its first
// page. Every commit by any process increments the counter in the file's
// header, and the mapping shows the page cache itself, so looking at it costs
// a memory read instead of a system call: the store looks before every call,
// and a walk of 700,000 keys makes millions of calls.
// Should the file be cut short under the mapping (it never is by SQLite,
// but a person or another program can do it), the fault is caught and the
// page reads as zeros from then on, so the counter looks changed and the
// next load meets the file as it now is.

#include <cstdint>
#include <optional>
#include <string>

namespace brackwell::registry {

class MappedChangeCounter {
public:
    MappedChangeCounter() = default;
    ~MappedChangeCounter();
    MappedChangeCounter(const MappedChangeCounter&) = delete;
    MappedChangeCounter& operator=(const MappedChangeCounter&) = delete;

    // Maps the first page of the file at path; false when it cannot.
    bool Map(const std::string& path);
    bool mapped() const { return page_ != nullptr; }
    std::uint32_t Read() const;

private:
    const unsigned char* page_ = nullptr;
    // Kept open while the store lives: closing any descriptor of the file
    // would drop the locks SQLite holds on it.
    int descriptor_ = -1;
};

}  // namespace brackwell::registry
