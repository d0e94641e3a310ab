#include "registry/reg_export.h"

#include <vector>

#include "registry/key_handle.h"
#include "registry/key_path.h"
#include "registry/name_folding.h"
#include "registry/reg_key_header.h"
#include "registry/reg_text_encoding.h"
#include "registry/registry_error_text.h"
#include "registry/registry_limits.h"

namespace brackwell::registry {
namespace {

using regfile::Utf16ToUtf8;

const HKEY kRoots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};

class Exporter {
public:
    // The buffers hold the longest name and the largest data the store allows,
    // so no call needs asking for sizes first.
    Exporter(std::ostream& out, RegFileFormat format)
        : writer_(out, format), name_(kMaxValueNameLength + 1), data_(kMaxValueDataSize) {}

    bool Tree(HKEY root, std::u16string_view path);
    // The result of the export; walked is false when Tree failed.
    RegExportResult Finish(bool walked);

private:
    struct Frame {
        KeyHandle key;
        DWORD nextSubkey = 0;
        std::size_t lineLength = 0;  // of line_ while this key is the one written
    };

    bool OpenStoredPath(HKEY root, std::u16string_view path, KeyHandle* key);
    bool Key(HKEY key);
    bool Values(HKEY key);
    bool Fail(const std::string& what, LONG rc);
    bool FailAt(const std::string& what);

    RegFileWriter writer_;
    std::u16string line_;  // ROOT\names of the key being written
    std::vector<WCHAR> name_;
    std::vector<BYTE> data_;
    RegExportResult result_;
};

std::u16string RootLine(HKEY root) {
    const std::string name = regfile::RegRootName(root);
    return {name.begin(), name.end()};
}

bool Exporter::Fail(const std::string& what, LONG rc) {
    return FailAt(what + ": " + RegistryErrorText(rc));
}

bool Exporter::FailAt(const std::string& what) {
    result_.error = Utf16ToUtf8(line_) + ": " + what;
    return false;
}

// Opens root\path name by name, taking each name as the registry keeps it.
bool Exporter::OpenStoredPath(HKEY root, std::u16string_view path, KeyHandle* key) {
    line_ = RootLine(root);
    KeyHandle current(root);
    for (std::u16string_view wanted : SplitKeyPath(path)) {
        std::u16string found;
        for (DWORD index = 0; found.empty(); ++index) {
            auto length = static_cast<DWORD>(name_.size());
            const LONG rc = RegEnumKeyEx(current.get(), index, name_.data(), &length, nullptr,
                                         nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) {
                line_ += u'\\';
                line_ += wanted;
                return FailAt("no such key");
            }
            if (rc != ERROR_SUCCESS) return Fail("listing its subkeys failed", rc);
            if (NamesEqual(wanted, {name_.data(), length})) found.assign(name_.data(), length);
        }
        KeyHandle child;
        if (const LONG rc = RegOpenKeyEx(current.get(), found.c_str(), 0, 0, child.out());
            rc != ERROR_SUCCESS) {
            return Fail("opening its subkey " + Utf16ToUtf8(found) + " failed", rc);
        }
        line_ += u'\\';
        line_ += found;
        current = std::move(child);
    }
    *key = std::move(current);
    return true;
}

bool Exporter::Key(HKEY key) {
    std::string error;
    if (!writer_.BeginKey(line_, &error)) return FailAt(error);
    ++result_.keys;
    return Values(key);
}

bool Exporter::Values(HKEY key) {
    for (DWORD index = 0;; ++index) {
        auto length = static_cast<DWORD>(name_.size());
        auto size = static_cast<DWORD>(data_.size());
        DWORD type = REG_NONE;
        const LONG rc =
            RegEnumValue(key, index, name_.data(), &length, nullptr, &type, data_.data(), &size);
        if (rc == ERROR_NO_MORE_ITEMS) return true;
        if (rc != ERROR_SUCCESS) return Fail("reading its values failed", rc);
        std::string error;
        const std::u16string_view name(name_.data(), length);
        if (!writer_.Value(name, type, {data_.data(), size}, &error)) {
            return FailAt("value \"" + Utf16ToUtf8(name) + "\": " + error);
        }
        ++result_.values;
    }
}

bool Exporter::Tree(HKEY root, std::u16string_view path) {
    KeyHandle start;
    if (!OpenStoredPath(root, path, &start) || !Key(start.get())) return false;
    std::vector<Frame> stack;
    stack.push_back({std::move(start), 0, line_.size()});
    while (!stack.empty()) {
        Frame& top = stack.back();
        line_.resize(top.lineLength);
        auto length = static_cast<DWORD>(name_.size());
        const LONG rc = RegEnumKeyEx(top.key.get(), top.nextSubkey, name_.data(), &length, nullptr,
                                     nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) {
            stack.pop_back();
            continue;
        }
        if (rc != ERROR_SUCCESS) return Fail("listing its subkeys failed", rc);
        ++top.nextSubkey;
        const std::u16string name(name_.data(), length);
        if (name.empty() || name.find(u'\\') != std::u16string::npos ||
            name.size() > kMaxKeyNameLength) {
            return FailAt("a subkey has a name the registry does not allow");
        }
        KeyHandle child;
        if (const LONG open = RegOpenKeyEx(top.key.get(), name.c_str(), 0, 0, child.out());
            open != ERROR_SUCCESS) {
            return Fail("opening its subkey " + Utf16ToUtf8(name) + " failed", open);
        }
        line_ += u'\\';
        line_ += name;
        if (!Key(child.get())) return false;
        stack.push_back({std::move(child), 0, line_.size()});
    }
    return true;
}

RegExportResult Exporter::Finish(bool walked) {
    if (!walked) return result_;
    if (!writer_.Finish()) {
        result_.error = "the file cannot be written";
        return result_;
    }
    result_.ok = true;
    return result_;
}

}  // namespace

RegExportResult ExportRegistry(HKEY root, std::u16string_view path, RegFileFormat format,
                               std::ostream& out) {
    Exporter exporter(out, format);
    bool walked = true;
    if (root) {
        walked = exporter.Tree(root, path);
    } else {
        for (std::size_t i = 0; walked && i < std::size(kRoots); ++i)
            walked = exporter.Tree(kRoots[i], {});
    }
    return exporter.Finish(walked);
}

}  // namespace brackwell::registry
