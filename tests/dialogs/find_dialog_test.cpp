// The find dialog edits a copy of the search settings.

#include "dialogs/CFindDlg.h"
#include "framework/aygshell.h"
#include "resources/resource.h"
#include "tests/dialogs/dialog_test.h"

// Found by argument-dependent lookup, so beside SearchSettings.
static bool operator==(const SearchSettings& a, const SearchSettings& b) {
    return a.m_strText == b.m_strText && a.m_bKeys == b.m_bKeys && a.m_bValues == b.m_bValues &&
           a.m_bData == b.m_bData && a.m_bMatchWhole == b.m_bMatchWhole;
}

static void PrintTo(const SearchSettings& s, std::ostream* os) {
    *os << '"' << s.m_strText.ToQString().toStdString() << "\" keys " << s.m_bKeys << " values " << s.m_bValues
        << " data " << s.m_bData << " whole " << s.m_bMatchWhole;
}

namespace brackwell::testing {
namespace {

// What the dialog shows, as a record.
SearchSettings Shown(const CDialog& dlg) {
    SearchSettings shown;
    shown.m_strText = CString::FromQString(Text(dlg, IDC_FIND_TEXT));
    shown.m_bKeys = IsChecked(dlg, IDC_FIND_KEYS);
    shown.m_bValues = IsChecked(dlg, IDC_FIND_VALUES);
    shown.m_bData = IsChecked(dlg, IDC_FIND_DATA);
    shown.m_bMatchWhole = IsChecked(dlg, IDC_MATCH_WHOLE);
    return shown;
}

using FindDialog = DialogTest;

TEST_F(FindDialog, TheFirstFindShowsTheDefaults) {
    const SearchSettings defaults;
    EXPECT_EQ(defaults, (SearchSettings{CString(), TRUE, TRUE, TRUE, FALSE}));
    CFindDlg dlg(defaults);
    RunDialog(dlg, [](CDialog& live) {
        EXPECT_EQ(Shown(live), (SearchSettings{CString(), TRUE, TRUE, TRUE, FALSE}));
        EXPECT_EQ(FocusedId(live), IDC_FIND_TEXT);
        EXPECT_TRUE(AfxIsSipUp());
        PressCancel(live);
    });
}

TEST_F(FindDialog, OkHandsBackWhatWasTypedAndTicked) {
    SearchSettings frame;
    CFindDlg dlg(frame);
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& live) {
                            Type(live, IDC_FIND_TEXT, QStringLiteral("Colour"));
                            Tap(live, IDC_FIND_VALUES);
                            Tap(live, IDC_MATCH_WHOLE);
                            PressOk(live);
                        }),
              IDOK);
    dlg.GetSettings(frame);
    EXPECT_EQ(frame, (SearchSettings{u"Colour", 1, 0, 1, 1}));

    // The next Find shows exactly what the last one confirmed.
    CFindDlg next(frame);
    RunDialog(next, [](CDialog& live) {
        EXPECT_EQ(Shown(live), (SearchSettings{u"Colour", 1, 0, 1, 1}));
        PressCancel(live);
    });
}

TEST_F(FindDialog, CancelLeavesTheCallersSettings) {
    const SearchSettings before{u"needle", TRUE, FALSE, TRUE, TRUE};
    SearchSettings frame = before;
    CFindDlg dlg(frame);
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& live) {
                            Type(live, IDC_FIND_TEXT, QStringLiteral("haystack"));
                            Tap(live, IDC_FIND_KEYS);
                            Tap(live, IDC_FIND_VALUES);
                            PressCancel(live);
                        }),
              IDCANCEL);
    EXPECT_EQ(frame, before);
    CFindDlg next(frame);
    RunDialog(next, [&before](CDialog& live) {
        EXPECT_EQ(Shown(live), before);
        PressCancel(live);
    });
}

TEST_F(FindDialog, EmptyTextAndEveryBoxOffAreHandedOnAsZeros) {
    // Any non-zero flag shows ticked; what comes back is 1 or 0.
    CFindDlg dlg(SearchSettings{u"old", 5, 7, -1, 0});
    SearchSettings result{u"unset", 9, 9, 9, 9};
    RunDialog(dlg, [](CDialog& live) {
        EXPECT_EQ(Shown(live), (SearchSettings{u"old", 1, 1, 1, 0}));
        Type(live, IDC_FIND_TEXT, QString());
        Tap(live, IDC_FIND_KEYS);
        Tap(live, IDC_FIND_VALUES);
        Tap(live, IDC_FIND_DATA);
        PressOk(live);
    });
    dlg.GetSettings(result);
    EXPECT_EQ(result, (SearchSettings{CString(), 0, 0, 0, 0}));
}

}  // namespace
}  // namespace brackwell::testing
