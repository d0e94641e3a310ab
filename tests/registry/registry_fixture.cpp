#include "tests/registry/registry_fixture.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "registry/device_registry.h"

namespace brackwell::registry::testing {

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brackwell-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> FolderListing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string LargeSeed(int keys) {
    std::string text = "REGEDIT4\n\n";
    for (int i = 0; i < keys; ++i) {
        text += "[HKEY_LOCAL_MACHINE\\Seed\\Key" + std::to_string(i) + "]\n\"Value\"=\"" +
                std::string(200, 'x') + "\"\n\n";
    }
    return text + "[HKEY_LOCAL_MACHINE\\Seed\\Last]\n";
}

void LeaveAsIfCrashed(const std::string& path, const char* setup, const char* sql,
                      const char* sideFile) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    for (const char* statements : {setup, sql}) {
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, statements, nullptr, nullptr, nullptr))
            << sqlite3_errmsg(db);
    }
    std::filesystem::copy_file(path, path + ".crash");
    std::filesystem::copy_file(path + sideFile, path + ".crash" + sideFile);
    sqlite3_close(db);
    std::filesystem::rename(path + ".crash", path);
    std::filesystem::rename(path + ".crash" + sideFile, path + sideFile);
}

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

std::string Escaped(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != '<') {
            out.push_back(static_cast<char>(c));
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "<%04X>", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

namespace {

// Buffers for the largest names and data the store allows, shared by every level.
struct DumpBuffers {
    std::vector<WCHAR> name = std::vector<WCHAR>(300);
    std::vector<BYTE> data = std::vector<BYTE>(1 << 20);
};

void DumpKey(HKEY key, const std::u16string& path, DumpBuffers& buffers, std::string& out) {
    out += "[" + Escaped(path) + "]\n";
    std::vector<WCHAR>& name = buffers.name;
    std::vector<BYTE>& data = buffers.data;
    for (DWORD i = 0;; ++i) {
        auto length = static_cast<DWORD>(name.size());
        auto size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG rc =
            RegEnumValue(key, i, name.data(), &length, nullptr, &type, data.data(), &size);
        if (rc != ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_NO_MORE_ITEMS, rc);
            break;
        }
        out += "  \"" + Escaped({name.data(), length}) + "\" " + std::to_string(type) + ":";
        for (DWORD b = 0; b < size; ++b) {
            char buffer[4];
            std::snprintf(buffer, sizeof buffer, " %02x", data[b]);
            out += buffer;
        }
        out += "\n";
    }
    for (DWORD i = 0;; ++i) {
        auto length = static_cast<DWORD>(name.size());
        const LONG rc =
            RegEnumKeyEx(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_NO_MORE_ITEMS, rc);
            break;
        }
        const std::u16string child(name.data(), length);
        HKEY sub = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(key, child.c_str(), 0, 0, &sub));
        DumpKey(sub, path + u"\\" + child, buffers, out);
        RegCloseKey(sub);
    }
}

}  // namespace

std::string DumpTree(HKEY root, const std::u16string& path) {
    std::string out;
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path.c_str(), 0, 0, &key) != ERROR_SUCCESS)
        return "<no key " + Escaped(path) + ">";
    DumpBuffers buffers;
    DumpKey(key, path, buffers, out);
    RegCloseKey(key);
    return out;
}

std::string DumpRegistry() {
    std::string out;
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS}) {
        out += "root " + std::to_string(reinterpret_cast<DWORD_PTR>(root)) + "\n" + DumpTree(root);
    }
    return out;
}

void RegistryTest::SetUp() {
    ASSERT_FALSE(folder_.path().empty());
    const OpenResult opened = OpenDeviceRegistry(RegistryPath());
    ASSERT_TRUE(opened.ok) << opened.error;
}

void RegistryTest::TearDown() {
    for (HKEY key : opened_) RegCloseKey(key);
    CloseDeviceRegistry();
}

HKEY RegistryTest::Create(const std::u16string& path, HKEY root) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(root, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, &disposition))
        << Narrow(path);
    opened_.push_back(key);
    return key;
}

bool RegistryTest::Exists(const std::u16string& path, HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void RegistryTest::SetString(HKEY key, const std::u16string& name, const std::u16string& text) {
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueEx(key, name.c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(text.c_str()),
                                           static_cast<DWORD>((text.size() + 1) * 2)));
}

std::u16string RegistryTest::GetString(HKEY key, const std::u16string& name) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueEx(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return u"<missing>";
    std::u16string text(size / 2, u'\0');
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(text.data()), &size));
    EXPECT_EQ(REG_SZ, type);
    if (!text.empty() && text.back() == u'\0') text.pop_back();
    return text;
}

namespace {

// Names by index from 0 until the first failure, which must be the end.
template <typename EnumerateOne>
std::vector<std::u16string> EnumeratedNames(EnumerateOne enumerateOne) {
    std::vector<std::u16string> names;
    WCHAR name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD length = 1024;
        const LONG rc = enumerateOne(i, name, &length);
        if (rc != ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_NO_MORE_ITEMS, rc);
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

}  // namespace

std::vector<std::u16string> RegistryTest::SubkeyNames(HKEY key) {
    return EnumeratedNames([key](DWORD i, LPWSTR name, LPDWORD length) {
        return RegEnumKeyEx(key, i, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::u16string> RegistryTest::ValueNames(HKEY key) {
    return EnumeratedNames([key](DWORD i, LPWSTR name, LPDWORD length) {
        return RegEnumValue(key, i, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

}  // namespace brackwell::registry::testing
