// Where am I: a key's tool tip tells its full path, root first, however deep
// the key lies.
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

}  // namespace
}  // namespace brackwell::testing
