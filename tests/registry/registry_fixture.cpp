#include "tests/registry/registry_fixture.h"

#include <stdlib.h>

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

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
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
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyEx(root, path.c_str(), 0, nullptr, 0, 0, nullptr, &key,
                                            &disposition))
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
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueEx(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * 2)));
}

std::u16string RegistryTest::GetString(HKEY key, const std::u16string& name) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueEx(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return u"<missing>";
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
