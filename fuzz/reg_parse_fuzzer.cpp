// Any bytes as a .reg file, parsed only. Besides crashes and sanitizer
// reports it checks what callers rely on: a refusal names its line, and each
// operation of an accepted file names a line, one of the four roots and a key
// path of non-empty names.

#include <cstddef>
#include <cstdint>

#include "fuzz/scratch_registry.h"
#include "registry/reg_file_reader.h"

namespace {

using namespace brackwell;

bool IsRoot(HKEY root) {
    return root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER || root == HKEY_LOCAL_MACHINE ||
           root == HKEY_USERS;
}

bool IsKeyPath(const std::u16string& path) {
    return path.empty() || (path.front() != u'\\' && path.back() != u'\\' &&
                            path.find(u"\\\\") == std::u16string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const registry::RegParseResult result =
        registry::ParseRegFile({reinterpret_cast<const char*>(data), size});
    if (!result.ok) {
        if (!result.error.starts_with("line "))
            fuzz::Fail("a refusal without its line: " + result.error);
        return 0;
    }
    for (const registry::RegOperation& op : result.operations) {
        if (op.line < 1) fuzz::Fail("an operation without its line");
        if (!IsRoot(op.root)) fuzz::Fail("an operation on an unknown root");
        if (!IsKeyPath(op.path)) fuzz::Fail("a key path with an empty name");
    }
    return 0;
}
