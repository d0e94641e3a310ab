// The Find and Find Next commands between a person's other actions: taps on
// rows and keys, Refresh, a new Find, a cancelled Find; and when Find Next
// becomes usable.
#include <gtest/gtest.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <QToolButton>
#include <QTreeView>

#include "framework/CTreeCtrl.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "tests/shell/search_fixture.h"

static bool operator==(const SearchSettings& a, const SearchSettings& b) {
    return a.m_strText == b.m_strText && a.m_bKeys == b.m_bKeys && a.m_bValues == b.m_bValues &&
           a.m_bData == b.m_bData && a.m_bMatchWhole == b.m_bMatchWhole;
}

static void PrintTo(const SearchSettings& s, std::ostream* os) {
    *os << '"' << s.m_strText.ToQString().toStdString() << "\" keys " << s.m_bKeys << " values "
        << s.m_bValues << " data " << s.m_bData << " whole " << s.m_bMatchWhole;
}

namespace brackwell::testing {
namespace {

constexpr std::string_view kTaps = "HKEY_LOCAL_MACHINE\\Taps";
constexpr std::string_view kDup = "HKEY_LOCAL_MACHINE\\Dup";
constexpr std::string_view kFirst = "HKEY_LOCAL_MACHINE\\Swap\\First";

const SearchSettings kEverything{u"", TRUE, TRUE, TRUE, FALSE};

SearchSettings AllOf(const char16_t* text) {
    return {text, TRUE, TRUE, TRUE, FALSE};
}
SearchSettings DataOnly(const char16_t* text) {
    return {text, FALSE, FALSE, TRUE, FALSE};
}

// A row tapped after a value match is where the next step continues; a row
// tapped while no value of the key has matched yet moves nothing.
TEST_F(SearchTest, TappedRowIsWhereTheNextStepContinues) {
    StartAt(u"HKEY_LOCAL_MACHINE\\Taps");
    EXPECT_EQ(KeyAt(kTaps), Find(AllOf(u"tap")));
    TapRow(2);
    EXPECT_EQ(ValueAt(kTaps, "Row0"), FindNext());
    TapRow(2);
    EXPECT_EQ(ValueAt(kTaps, "Row3"), FindNext());
    TapRow(0);
    EXPECT_EQ(ValueAt(kTaps, "Row1"), FindNext());
    EXPECT_EQ(ValueAt(kTaps, "Row2"), FindNext());
}

// Moving to another key by hand starts that key afresh: its name and all its
// rows are tested, whatever the last step left in the cursors.
TEST_F(SearchTest, AnotherKeyTappedIsSearchedInFull) {
    StartAt(u"HKEY_LOCAL_MACHINE\\Swap");
    EXPECT_EQ(KeyAt("HKEY_LOCAL_MACHINE\\Swap"), Find(AllOf(u"swap")));
    EXPECT_EQ(ValueAt(kFirst, "a"), FindNext());
    TapKey(u"HKEY_LOCAL_MACHINE\\Swap");
    EXPECT_EQ(KeyAt("HKEY_LOCAL_MACHINE\\Swap"), FindNext());
    EXPECT_EQ(ValueAt(kFirst, "a"), FindNext());
    EXPECT_EQ(ValueAt(kFirst, "b"), FindNext());
    TapKey(u"HKEY_LOCAL_MACHINE\\Swap\\Second");
    EXPECT_EQ(ValueAt("HKEY_LOCAL_MACHINE\\Swap\\Second", "a"), FindNext());
}

// Refresh rebuilds the tree and selects the first root; the next step
// searches that root in full.
TEST_F(SearchTest, RefreshBetweenStepsStartsAtTheFirstRoot) {
    StartAt(u"HKEY_LOCAL_MACHINE\\Reload");
    EXPECT_EQ(ValueAt("HKEY_LOCAL_MACHINE\\Reload", "c"), Find(DataOnly(u"refresh")));
    RunCommand(ID_VIEW_REFRESH);
    EXPECT_EQ(ValueAt("HKEY_CLASSES_ROOT", "Fresh"), FindNext());
    EXPECT_EQ(ValueAt("HKEY_LOCAL_MACHINE\\Reload", "c"), FindNext());
}

// A new Find looks at or after the selected key, never only behind the
// previous search's matches.
TEST_F(SearchTest, NewFindStartsAfresh) {
    StartAt(u"HKEY_LOCAL_MACHINE\\Dup");
    EXPECT_EQ(KeyAt(kDup), Find(AllOf(u"dup")));
    EXPECT_EQ(ValueAt(kDup, "one"), FindNext());
    EXPECT_EQ(ValueAt(kDup, "two"), FindNext());
    EXPECT_EQ(ValueAt(kDup, "one"), Find(DataOnly(u"dup")));
    EXPECT_EQ(KeyAt(kDup), Find(AllOf(u"dup")));
}

TEST_F(SearchTest, CancelKeepsTheSettingsAndTakesNoStep) {
    StartAt(u"HKEY_LOCAL_MACHINE\\Nest");
    const SearchSettings echo{u"echo", TRUE, FALSE, TRUE, TRUE};
    const Spot found = ValueAt("HKEY_LOCAL_MACHINE\\Nest", "Echo");
    EXPECT_EQ(found, Find(echo));

    FindAndCancel(kEverything);
    EXPECT_EQ(echo, LastShown());
    EXPECT_EQ(found, Observed());
    FindAndCancel(kEverything);
    EXPECT_EQ(echo, LastShown());
    EXPECT_EQ(NoMoreMatches(found), FindNext());
}

// Not something a person can do: the tree always has a selected key. A step
// without one starts at the first root.
TEST_F(SearchTest, WithoutASelectedKeyTheStepStartsAtTheFirstRoot) {
    Tree().SelectItem(nullptr);
    EXPECT_EQ(ValueAt("HKEY_CLASSES_ROOT", "Fresh"), Find(DataOnly(u"refresh")));
}

TEST_F(SearchTest, MatchIsShownUnderTheWaitCursor) {
    StartAt(u"HKEY_CLASSES_ROOT");
    bool bWaiting = false;
    auto* tree = qobject_cast<QTreeView*>(Tree().GetSafeHwnd());
    const QMetaObject::Connection watch =
        QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, [&bWaiting] {
            const QCursor* cursor = QApplication::overrideCursor();
            bWaiting = AfxGetApp()->GetWaitCursorCount() > 0 && cursor &&
                       cursor->shape() == Qt::WaitCursor;
        });
    EXPECT_EQ(ValueAt("HKEY_USERS", "Owner"), Find(AllOf(u"all users")));
    QObject::disconnect(watch);
    EXPECT_TRUE(bWaiting);
}

// A program of its own: Find Next stays disabled until the first Find is
// confirmed, and then works from its tool button too.
class FindNextEnableTest : public SearchTest {};

TEST_F(FindNextEnableTest, DisabledUntilTheFirstConfirmedFind) {
    StartAt(u"HKEY_LOCAL_MACHINE\\Taps");
    const Spot start = Observed();
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_FIND));
    EXPECT_TRUE(ToolButton(ID_EDIT_FIND)->isEnabled());
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_FIND_NEXT));
    EXPECT_FALSE(ToolButton(ID_EDIT_FIND_NEXT)->isEnabled());

    FindAndCancel(AllOf(u"tap"));
    EXPECT_EQ(kEverything, LastShown());
    EXPECT_EQ(start, Observed());
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_FIND_NEXT));

    EXPECT_EQ(KeyAt(kTaps), Find(AllOf(u"tap")));
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_FIND_NEXT));
    QToolButton* findNext = ToolButton(ID_EDIT_FIND_NEXT);
    ASSERT_TRUE(findNext->isEnabled());
    findNext->click();
    EXPECT_EQ(ValueAt(kTaps, "Row0"), Observed());
}

}  // namespace
}  // namespace brackwell::testing
