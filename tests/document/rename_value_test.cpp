// Renaming a value of the listed key, checked against the store.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "document/CBrackwellDoc.h"
#include "tests/document/temporary_registry.h"

namespace brackwell::testing {
namespace {

constexpr std::string_view kRegistry =
    "REGEDIT4\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Rename]\n"
    "\"Alpha\"=\"one\"\n"
    "\"Beta\"=\"two\"\n"
    "\"Gamma\"=dword:00000007\n"
    "\"Blank\"=hex(0):\n";

constexpr std::u16string_view kKey = u"Software\\Rename";

StoredValue Text(std::u16string_view text) {
    StoredValue value{REG_SZ, Utf16(text)};
    value.data.insert(value.data.end(), {0, 0});
    return value;
}

class RenameValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ("", registry_.error());
        object_.reset(RUNTIME_CLASS(CBrackwellDoc)->CreateObject());
        doc_ = static_cast<CBrackwellDoc*>(object_.get());
        doc_->LoadValues(HKEY_LOCAL_MACHINE, CString(kKey), -1);
    }

    std::optional<StoredValue> Read(std::u16string_view name) {
        return ReadStoredValue(HKEY_LOCAL_MACHINE, kKey, name);
    }
    std::vector<std::u16string> Names() { return StoredValueNames(HKEY_LOCAL_MACHINE, kKey); }

    TemporaryRegistry registry_{kRegistry};
    std::unique_ptr<CObject> object_;
    CBrackwellDoc* doc_ = nullptr;
};

TEST_F(RenameValueTest, MovesValueToFreeNameWithItsTypeAndData) {
    EXPECT_TRUE(doc_->RenameValue(u"Alpha", u"Delta"));
    EXPECT_EQ(Text(u"one"), Read(u"Delta"));
    EXPECT_EQ(std::nullopt, Read(u"Alpha"));

    EXPECT_TRUE(doc_->RenameValue(u"Blank", u"Empty"));
    EXPECT_EQ((StoredValue{REG_NONE, {}}), Read(u"Empty"));
}

TEST_F(RenameValueTest, RefusesNameOfAnotherValueInAnyCase) {
    EXPECT_FALSE(doc_->RenameValue(u"Alpha", u"Beta"));
    EXPECT_FALSE(doc_->RenameValue(u"Alpha", u"BETA"));
    EXPECT_EQ(Text(u"one"), Read(u"Alpha"));
    EXPECT_EQ(Text(u"two"), Read(u"Beta"));
    EXPECT_EQ((std::vector<std::u16string>{u"Alpha", u"Beta", u"Gamma", u"Blank"}), Names());
}

TEST_F(RenameValueTest, CaseChangeKeepsTheValueUnderTheNewSpelling) {
    EXPECT_TRUE(doc_->RenameValue(u"Gamma", u"GAMMA"));
    EXPECT_EQ((StoredValue{REG_DWORD, {7, 0, 0, 0}}), Read(u"gamma"));
    const std::vector<std::u16string> names = Names();
    EXPECT_EQ(1, std::count(names.begin(), names.end(), u"GAMMA"));
    EXPECT_EQ(0, std::count(names.begin(), names.end(), u"Gamma"));
}

TEST_F(RenameValueTest, SameNameLeavesValueInPlace) {
    EXPECT_TRUE(doc_->RenameValue(u"Beta", u"Beta"));
    EXPECT_EQ(Text(u"two"), Read(u"Beta"));
    EXPECT_EQ((std::vector<std::u16string>{u"Alpha", u"Beta", u"Gamma", u"Blank"}), Names());
}

TEST_F(RenameValueTest, MissingValueOrKeyRenamesNothing) {
    EXPECT_FALSE(doc_->RenameValue(u"Absent", u"Other"));
    EXPECT_EQ(std::nullopt, Read(u"Other"));

    doc_->LoadValues(HKEY_LOCAL_MACHINE, u"Software\\NoSuchKey", -1);
    EXPECT_FALSE(doc_->RenameValue(u"Alpha", u"Other"));
}

}  // namespace
}  // namespace brackwell::testing
