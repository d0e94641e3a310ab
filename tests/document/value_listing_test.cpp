// The values list of a selected key: one row per value in store order, with
// the Data text and image of its type.
#include <gtest/gtest.h>

#include "document/CBrackwellDoc.h"
#include "framework/CListCtrl.h"
#include "shell/CDetailsView.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

class ValueListingTest : public GuiTest {};

TEST_F(ValueListingTest, EveryTypeShowsItsDataTextAndImage) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    EXPECT_EQ((std::vector<Row>{{u"Text", u"hello", 0},
                                {u"Multi", u"a", 1},
                                {u"Number", u"-1", 2},
                                {u"Binary", u"01 AB 00 FF ", 3},
                                {u"Short", u"00 01 02 ", 3},
                                {u"Expand", u"%PATH%", 4}}),
              Rows());
}

// Values created with no data at all must stay listed, or they could never
// be modified, renamed or deleted again.
TEST_F(ValueListingTest, ValuesWithoutDataAreListed) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Empty");
    EXPECT_EQ((std::vector<Row>{{u"Blank", u"", 3}, {u"Nothing", u"", 4}}), Rows());
}

TEST_F(ValueListingTest, ListingSelectsAndShowsOnlyTheRowAsked) {
    Doc().LoadValues(HKEY_LOCAL_MACHINE, u"Software\\Types", 5);
    EXPECT_EQ(5, SelectedRow());
    EXPECT_EQ(5, List().GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_TRUE(IsRowFullyVisible(5));

    Doc().LoadValues(HKEY_LOCAL_MACHINE, u"Software\\Types", 6);
    EXPECT_EQ(-1, SelectedRow());
    EXPECT_EQ(6, List().GetItemCount());
}

TEST_F(ValueListingTest, KeyThatCannotBeOpenedListsNothingButIsRemembered) {
    Doc().LoadValues(HKEY_LOCAL_MACHINE, u"Software\\Gone", -1);
    EXPECT_EQ(std::vector<Row>{}, Rows());
    EXPECT_EQ(u"Software\\Gone", Doc().m_strKeyPath.str());
    EXPECT_EQ(HKEY_LOCAL_MACHINE, Doc().m_hRootKey);
}

// A row another program wrote past the store's limits: the key's values
// cannot be read, and the person is told instead of shown an empty list.
TEST_F(ValueListingTest, AKeyWhoseValuesCannotBeReadIsTold) {
    const std::string kTypesKey =
        "(SELECT id FROM keys WHERE name = x'54007900700065007300'"
        " AND parent = (SELECT id FROM keys WHERE parent = 3 AND name = "
        "x'53006F00660074007700610072006500'))";
    ChangeRegistryFile("INSERT INTO vals(key, name, folded, type, data) VALUES(" + kTypesKey +
                       ", x'420069006700', x'420049004700', 3, zeroblob(1048577))");
    AnswerMessageBoxes(IDOK);
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    EXPECT_EQ(std::vector<Row>{}, Rows());
    EXPECT_EQ(
        (std::vector<Box>{{&ValuesView(),
                           u"Unable to read the values of HKEY_LOCAL_MACHINE\\Software\\Types",
                           u"Error", MB_ICONHAND}}),
        Boxes());

    ChangeRegistryFile("DELETE FROM vals WHERE name = x'420069006700'");
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Empty");
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    EXPECT_EQ(6u, Rows().size());
    EXPECT_EQ(1u, Boxes().size());
}

}  // namespace
}  // namespace brackwell::testing
