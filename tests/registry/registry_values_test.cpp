// Values the store holds in memory: a key with thousands of values, and the
// values of every key read at once when a caller walks them all, must agree
// with the file after every write.

#include <string>
#include <vector>

#include "registry/apply_operations.h"
#include "registry/device_registry.h"
#include "registry/registry.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

using Names = std::vector<std::u16string>;

std::u16string Numbered(const char16_t* prefix, int i) {
    std::u16string text = prefix;
    for (char c : std::to_string(i)) text += static_cast<char16_t>(c);
    return text;
}

// Writes made through one transaction, so that building thousands of values
// does not wait for thousands of durable commits.
RegOperation StringOp(const std::u16string& path, const std::u16string& name,
                      const std::u16string& text) {
    RegOperation op;
    op.kind = RegOperation::Kind::SetValue;
    op.root = HKEY_CURRENT_USER;
    op.path = path;
    op.name = name;
    op.type = REG_SZ;
    for (char16_t c : text + u'\0') {
        op.data.push_back(static_cast<BYTE>(c & 0xFF));
        op.data.push_back(static_cast<BYTE>(c >> 8));
    }
    return op;
}

void Apply(const std::vector<RegOperation>& operations) {
    std::string error;
    ASSERT_TRUE(ApplyOperations(operations, &error)) << error;
}

class RegistryValues : public RegistryTest {
protected:
    void Reopen() {
        for (HKEY key : opened_) RegCloseKey(key);
        opened_.clear();
        CloseDeviceRegistry();
        ASSERT_TRUE(OpenDeviceRegistry(RegistryPath()).ok);
    }
};

// Thousands of values: replaced ones keep their place, removed ones go (more
// than half of them, so the store packs its records away), an enumeration
// begun before the changes sees the key as it was, and the file agrees.
TEST_F(RegistryValues, AKeyWithManyValuesKeepsOrderAndDataThroughChanges) {
    constexpr int kValues = 3000;
    HKEY key = Create(u"Many");
    Names expected;
    std::vector<RegOperation> values;
    for (int i = 0; i < kValues; ++i) {
        values.push_back(StringOp(u"Many", Numbered(u"v", i), u"x"));
        expected.push_back(Numbered(u"v", i));
    }
    Apply(values);
    WCHAR name[256];
    DWORD length = 256;
    ASSERT_EQ(ERROR_SUCCESS,
              RegEnumValue(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));

    // Through the calls for the last few hundred, in one transaction before.
    constexpr int kByCall = kValues - 300;
    std::vector<RegOperation> operations;
    Names kept;
    for (int i = 0; i < kValues; ++i) {
        if (i % 3 == 0) kept.push_back(Numbered(u"v", i));
        if (i >= kByCall) {
            if (i % 3 != 0) {
                ASSERT_EQ(ERROR_SUCCESS, RegDeleteValue(key, Numbered(u"V", i).c_str()));
            } else {
                SetString(key, Numbered(u"V", i), Numbered(u"longer data ", i));
            }
            continue;
        }
        RegOperation& op = operations.emplace_back();
        op.kind = i % 3 ? RegOperation::Kind::DeleteValue : RegOperation::Kind::SetValue;
        op.root = HKEY_CURRENT_USER;
        op.path = u"Many";
        op.name = Numbered(u"V", i);
        op.type = REG_BINARY;
        op.data = {1, 2, 3, 4, 5, 6, 7, 8};
        if (i == kByCall - 1) Apply(operations);
    }
    // The enumeration begun before: every name and the old data.
    Names seen{name};
    for (DWORD i = 1;; ++i) {
        length = 256;
        BYTE data[8];
        DWORD size = sizeof data;
        if (RegEnumValue(key, i, name, &length, nullptr, nullptr, data, &size) != ERROR_SUCCESS)
            break;
        EXPECT_EQ(4u, size) << i;
        seen.emplace_back(name, length);
    }
    EXPECT_EQ(expected, seen);

    EXPECT_EQ(kept, ValueNames(key));
    EXPECT_EQ(u"longer data 2997", GetString(key, u"V2997"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegQueryValueEx(key, u"v2998", nullptr, nullptr, nullptr, nullptr));
    SetString(key, u"v1", u"back");
    kept.push_back(u"v1");
    EXPECT_EQ(kept, ValueNames(key));

    Reopen();
    HKEY again = Create(u"many");
    EXPECT_EQ(kept, ValueNames(again));
    EXPECT_EQ(u"longer data 2997", GetString(again, u"v2997"));
    EXPECT_EQ(u"back", GetString(again, u"V1"));
}

// A walk that reads the values of key after key makes the store read every
// value at once; writes made after that are seen by the next walk.
TEST_F(RegistryValues, ValuesReadKeyAfterKeyFollowLaterWrites) {
    constexpr int kKeys = 600;
    std::vector<RegOperation> operations;
    for (int i = 0; i < kKeys; ++i)
        operations.push_back(StringOp(Numbered(u"Walk\\K", i), u"Name", Numbered(u"n", i)));
    Apply(operations);
    Reopen();
    auto walk = [&] {
        std::vector<Names> all;
        for (int i = 0; i < kKeys; ++i) all.push_back(ValueNames(Create(Numbered(u"Walk\\K", i))));
        return all;
    };
    std::vector<Names> before = walk();
    EXPECT_EQ(Names{u"Name"}, before[7]);

    HKEY seventh = Create(u"Walk\\K7");
    SetString(seventh, u"Added", u"a");
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValue(Create(u"Walk\\K8"), u"name"));
    std::vector<Names> after = walk();
    EXPECT_EQ((Names{u"Name", u"Added"}), after[7]);
    EXPECT_EQ(Names{}, after[8]);
    EXPECT_EQ(Names{u"Name"}, after[kKeys - 1]);
    EXPECT_EQ(u"n599", GetString(Create(u"Walk\\K599"), u"Name"));
}

}  // namespace
}  // namespace brackwell::registry::testing
