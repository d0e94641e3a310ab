// Where am I: a key's tool tip tells its full path, root first, however deep
// the key lies; a value's name or data cut off by its column shows whole in
// its tip.
#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

// Sixty keys of twenty characters below HKEY_CURRENT_USER\Long: a path of
// more than the 1,023 characters a tip holds.
const std::u16string kLongName(20, u'x');

std::u16string LongPath(int levels) {
    std::u16string path = u"Long";
    for (int i = 0; i < levels; ++i) path += u'\\' + kLongName;
    return path;
}

struct KeyTip {
    const char* fault;
    std::u16string key;
    std::u16string tip;  // empty: the key's path with its root
    friend void PrintTo(const KeyTip& row, std::ostream* os) { *os << row.fault; }
};

class KeyTreeTipTest : public GuiTest, public ::testing::WithParamInterface<KeyTip> {
public:
    static void SetUpTestSuite() {
        GuiTest::SetUpTestSuite();
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, LongPath(60).c_str(), 0, nullptr,
                                                0, 0, nullptr, &key, nullptr));
        RegCloseKey(key);
    }
};

TEST_P(KeyTreeTipTest, TipTellsTheFullPath) {
    RunCommand(ID_VIEW_REFRESH);
    const KeyTip& c = GetParam();
    EXPECT_EQ(QString::fromStdU16String(c.tip.empty() ? c.key : c.tip), TipOfKey(c.key));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTreeTipTest,
    ::testing::Values(KeyTip{"Root", u"HKEY_CLASSES_ROOT", u""},
                      KeyTip{"KeyBelowARootLackedItsRoot", u"HKEY_CURRENT_USER\\Zeta\\a1", u""},
                      KeyTip{"PathPastTheTipKeepsRootAndEnd", u"HKEY_CURRENT_USER\\" + LongPath(60),
                             u"HKEY_CURRENT_USER\\\u2026" +
                                 LongPath(60).substr(LongPath(60).size() - 21 * 47)}),
    [](const ::testing::TestParamInfo<KeyTip>& info) { return std::string(info.param.fault); });

struct CellTip {
    const char* fault;
    const char16_t* name;
    int column;
    const char16_t* tip;  // empty: none
    friend void PrintTo(const CellTip& row, std::ostream* os) { *os << row.fault; }
};

constexpr char16_t kSentence[] = u"a string longer than the Data column is wide, which cuts it off";
constexpr char16_t kWideName[] = u"AValueNameLongerThanTheNameColumnIsWide";

class ValueTipTest : public GuiTest, public ::testing::WithParamInterface<CellTip> {
public:
    static void SetUpTestSuite() {
        GuiTest::SetUpTestSuite();
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, u"Tips", 0, nullptr, 0, 0,
                                                nullptr, &key, nullptr));
        Put(key, u"Short", REG_SZ, u"ok");
        Put(key, u"Sentence", REG_SZ, kSentence);
        Put(key, kWideName, REG_SZ, u"x");
        // Two strings: the Data column shows only the first.
        Put(key, u"Lines", REG_MULTI_SZ, std::u16string(kSentence) + u'\0' + u"second" + u'\0');
        RegCloseKey(key);
    }

private:
    static void Put(HKEY key, const char16_t* name, DWORD type, const std::u16string& text) {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                                DWORD(text.size() + 1) * 2));
    }
};

TEST_P(ValueTipTest, CellCutOffShowsItsWholeText) {
    RunCommand(ID_VIEW_REFRESH);
    TapKey(u"HKEY_CURRENT_USER\\Tips");
    const CellTip& c = GetParam();
    EXPECT_EQ(QString::fromStdU16String(c.tip), TipOfCell(RowOf(c.name), c.column));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ValueTipTest,
    ::testing::Values(CellTip{"DataCutOffShowsWhole", u"Sentence", 1, kSentence},
                      CellTip{"NameCutOffShowsWhole", kWideName, 0, kWideName},
                      CellTip{"FirstOfSeveralStringsAsTheColumnShowsIt", u"Lines", 1, kSentence},
                      CellTip{"WholeDataNeedsNoTip", u"Short", 1, u""},
                      CellTip{"WholeNameNeedsNoTip", u"Short", 0, u""}),
    [](const ::testing::TestParamInfo<CellTip>& info) { return std::string(info.param.fault); });

}  // namespace
}  // namespace brackwell::testing
