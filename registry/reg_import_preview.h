#pragma once
// What importing a .reg file would change in the open registry, found without
// writing: each operation is played against what the registry holds plus the
// changes the operations before it would have made, so every reported change
// is exactly one the import would make, in its order. Works on a registry
// opened for reading only.

#include <cstddef>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/reg_file_reader.h"
#include "registry/reg_operation.h"
#include "registry/registry.h"

namespace brackwell::registry {

struct RegPreviewChange {
    enum class Kind { CreateKey, DeleteKey, AddValue, ChangeValue, DeleteValue };
    Kind kind = Kind::CreateKey;
    HKEY root = nullptr;
    std::u16string path;       // as the file names it
    std::u16string name;       // the value's
    DWORD oldType = REG_NONE;  // ChangeValue, DeleteValue
    std::vector<BYTE> oldData;
    DWORD newType = REG_NONE;  // AddValue, ChangeValue
    std::vector<BYTE> newData;
    std::size_t keysBelow = 0;    // DeleteKey: the keys below the deleted one
    std::size_t valuesBelow = 0;  // DeleteKey: its values and those of the keys below
};

struct RegPreviewTotals {
    std::size_t keysCreated = 0;
    std::size_t keysDeleted = 0;
    std::size_t keysBelowDeleted = 0;
    std::size_t valuesBelowDeleted = 0;
    std::size_t valuesAdded = 0;
    std::size_t valuesChanged = 0;
    std::size_t valuesDeleted = 0;
    std::size_t valuesUnchanged = 0;  // set to what they already hold
};

class RegImportPreview {
public:
    using Sink = std::function<void(const RegPreviewChange&)>;

    explicit RegImportPreview(Sink sink);
    ~RegImportPreview();

    // Plays op as the import would, reporting each change to the sink; false,
    // with *reason, for an operation the import would refuse or a registry call
    // that failed.
    bool Apply(const RegOperation& op, std::string* reason);
    const RegPreviewTotals& totals() const { return totals_; }

private:
    struct Node;
    struct Data {
        DWORD type = REG_NONE;
        std::vector<BYTE> bytes;
    };

    bool Child(Node& parent, std::u16string_view name, Node** child, std::string* reason);
    bool Walk(const RegOperation& op, bool create, Node** node, std::string* reason);
    bool CurrentValue(const Node& node, std::u16string_view name, std::optional<Data>* value,
                      std::string* reason);
    bool CountBelow(const Node& node, std::size_t* keys, std::size_t* values, std::string* reason);
    void Report(RegPreviewChange change);
    static RegPreviewChange ChangeAt(RegPreviewChange::Kind kind, const Node& node,
                                     std::u16string_view name = {});

    Sink sink_;
    RegPreviewTotals totals_;
    std::vector<std::unique_ptr<Node>> roots_;
};

// Reads a .reg file and previews every operation in it (after emptying the
// registry, for RegImportMode::Replace); nothing is written.
RegReadResult PreviewRegFile(std::istream& in, RegImportMode mode, RegImportPreview& preview);

}  // namespace brackwell::registry
