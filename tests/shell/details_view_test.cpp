// The values list under the stylus: taps select values, and editing a name
// in place renames the value in the registry. The tests of this suite share
// one registry, so each renames a value of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "document/CBrackwellDoc.h"
#include "framework/CListCtrl.h"
#include "resources/resource.h"
#include "shell/CDetailsView.h"
#include "tests/document/temporary_registry.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

constexpr std::u16string_view kKey = u"Software\\Rename";

class DetailsViewTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        // Leave the key first, so that tapping it lists it afresh.
        TapKey(u"HKEY_USERS");
        TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Rename");
    }

    static bool Stored(std::u16string_view name) {
        const std::vector<std::u16string> names = StoredValueNames(HKEY_LOCAL_MACHINE, kKey);
        return std::find(names.begin(), names.end(), name) != names.end();
    }
};

TEST_F(DetailsViewTest, TapSelectsValueAndClearsKeySelection) {
    const int row = RowOf(u"Beta");
    TapRow(row);
    EXPECT_EQ(row, SelectedRow());
    EXPECT_EQ(row, Doc().m_nCurrentValue);
    EXPECT_EQ(nullptr, Doc().m_hCurrentItem);
    EXPECT_EQ(kKey, Doc().m_strKeyPath.str());
}

TEST_F(DetailsViewTest, TapOnEmptySpaceKeepsTheSelection) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Empty");
    TapRow(1);
    TapBelowRows();
    EXPECT_EQ(-1, SelectedRow());
    EXPECT_EQ(1, Doc().m_nCurrentValue);
    EXPECT_EQ(nullptr, Doc().m_hCurrentItem);
}

// The double tap also opens the Modify dialog, cancelled here.
TEST_F(DetailsViewTest, DoubleTapSelectsValue) {
    const int row = RowOf(u"Beta");
    DriveDialogs<CDialog>([](CDialog& dlg) { PressButton(dlg, IDCANCEL); });
    DoubleTapRow(row);
    EXPECT_EQ(1, DialogsOpened());
    EXPECT_EQ(row, Doc().m_nCurrentValue);
    EXPECT_EQ(nullptr, Doc().m_hCurrentItem);
}

TEST_F(DetailsViewTest, RenameMovesValueAndKeepsRowPlace) {
    const int row = RowOf(u"Alpha");
    TapRow(row);
    EditRowName(row, "First");
    EXPECT_EQ((Row{u"First", u"one", 0}), Rows()[row]);
    EXPECT_TRUE(Stored(u"First"));
    EXPECT_FALSE(Stored(u"Alpha"));
}

TEST_F(DetailsViewTest, CancelledRenameChangesNothing) {
    const int row = RowOf(u"Beta");
    TapRow(row);
    CancelRowNameEdit(row, "Second");
    EXPECT_EQ(u"Beta", List().GetItemText(row, 0).str());
    EXPECT_TRUE(Stored(u"Beta"));
    EXPECT_FALSE(Stored(u"Second"));
}

TEST_F(DetailsViewTest, RenameOntoAnotherValueIsRefusedAndOldNameShown) {
    const int row = RowOf(u"Delta");
    TapRow(row);
    EditRowName(row, "beta");
    EXPECT_EQ(u"Delta", List().GetItemText(row, 0).str());
    EXPECT_TRUE(Stored(u"Delta"));
    EXPECT_EQ(StoredValue({REG_SZ, {'t', 0, 'w', 0, 'o', 0, 0, 0}}),
              ReadStoredValue(HKEY_LOCAL_MACHINE, kKey, u"Beta"));
}

TEST_F(DetailsViewTest, CaseChangeRenamesWithoutLosingData) {
    const int row = RowOf(u"Gamma");
    TapRow(row);
    EditRowName(row, "GAMMA");
    EXPECT_EQ(u"GAMMA", List().GetItemText(row, 0).str());
    EXPECT_TRUE(Stored(u"GAMMA"));
    EXPECT_FALSE(Stored(u"Gamma"));
    EXPECT_EQ(StoredValue({REG_DWORD, {7, 0, 0, 0}}),
              ReadStoredValue(HKEY_LOCAL_MACHINE, kKey, u"gamma"));
}

// After a tap on empty space no row is selected, but the current value can
// still be renamed (as the Rename command does): the edited row's own name
// must be the one renamed.
TEST_F(DetailsViewTest, RenameAfterTapOnEmptySpaceRenamesTheEditedRow) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Empty");
    TapRow(0);
    TapBelowRows();
    EditRowName(0, "Cleared");
    EXPECT_EQ(u"Cleared", List().GetItemText(0, 0).str());
    EXPECT_EQ((std::vector<std::u16string>{u"Nothing", u"Cleared"}),
              StoredValueNames(HKEY_LOCAL_MACHINE, u"Software\\Empty"));
}

struct KeyboardMove {
    const char* fault;
    std::vector<Qt::Key> keys;
    int row;  // -1: the last row
    friend void PrintTo(const KeyboardMove& move, std::ostream* os) { *os << move.fault; }
};

class KeyboardSelectionTest : public DetailsViewTest,
                              public ::testing::WithParamInterface<KeyboardMove> {};

// The row the keyboard highlights is the selected value: Modify is enabled,
// the New commands are not, and Delete asks about that value, not its key.
TEST_P(KeyboardSelectionTest, HighlightedRowIsTheSelectedValue) {
    PressKey(Qt::Key_F6);
    ASSERT_EQ(ValuesView().GetSafeHwnd(), FocusWidget());
    for (Qt::Key key : GetParam().keys) PressKey(key);
    const int row = GetParam().row == -1 ? List().GetItemCount() - 1 : GetParam().row;
    EXPECT_EQ(row, SelectedRow());
    EXPECT_EQ(row, Doc().m_nCurrentValue);
    EXPECT_EQ(nullptr, Doc().m_hCurrentItem);
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_MODIFY));
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_NEW_STRING));

    AnswerMessageBoxes(IDCANCEL);
    TapToolButton(ID_EDIT_DELETE);
    ASSERT_EQ(1u, Boxes().size());
    EXPECT_EQ(u"Hit OK to delete Software\\Rename\\" + List().GetItemText(row, 0).str(),
              Boxes()[0].text);
    EXPECT_TRUE(Stored(List().GetItemText(row, 0).str()));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardSelectionTest,
    ::testing::Values(KeyboardMove{"FirstDownSkippedTheFirstRow", {Qt::Key_Down}, 0},
                      KeyboardMove{"EndLeftTheKeySelected", {Qt::Key_End}, -1},
                      KeyboardMove{"UpMovedOnlyTheHighlight", {Qt::Key_End, Qt::Key_Up}, 2},
                      KeyboardMove{"HomeMovedOnlyTheHighlight", {Qt::Key_End, Qt::Key_Home}, 0}),
    [](const ::testing::TestParamInfo<KeyboardMove>& info) {
        return std::string(info.param.fault);
    });

}  // namespace
}  // namespace brackwell::testing
