// The multi-string dialog: lines in, lines out, and who owns the list.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "dialogs/CMultiStringDlg.h"
#include "resources/resource.h"
#include "tests/dialogs/dialog_test.h"

namespace brackwell::testing {
namespace {

using Strings = std::vector<std::u16string>;

void Fill(CStringList& list, const Strings& strings) {
    list.RemoveAll();
    for (const std::u16string& s : strings) list.AddTail(CString(s));
}

Strings Read(const CStringList& list) {
    Strings strings;
    for (POSITION pos = list.GetHeadPosition(); pos;) strings.push_back(list.GetNext(pos).str());
    return strings;
}

struct LineCase {
    const char* fault;
    Strings given;
    QString shown;                 // "\n" between lines as the field shows them
    std::optional<QString> typed;  // none: OK without an edit
    Strings returned;
    friend void PrintTo(const LineCase& row, std::ostream* os) { *os << row.fault; }
};

class MultiStringLines : public DialogTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(MultiStringLines, LinesBecomeElements) {
    CStringList list;
    Fill(list, GetParam().given);
    CMultiStringDlg dlg(u"Modify multi string", u"Paths", &list);
    QString shown;
    const INT_PTR result = RunDialog(dlg, [&shown](CDialog& live) {
        shown = Text(live, IDC_VALUE).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (GetParam().typed) Type(live, IDC_VALUE, *GetParam().typed);
        PressOk(live);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(Read(list), GetParam().returned);
}

const std::u16string kLongLine(5000, u'w');

INSTANTIATE_TEST_SUITE_P(
    Dialogs, MultiStringLines,
    ::testing::Values(
        LineCase{"TwoElementsRoundTrip", {u"a", u"b"}, "a\nb", std::nullopt, {u"a", u"b"}},
        LineCase{"EmptyFieldIsOneEmptyString", {}, "", std::nullopt, {u""}},
        LineCase{"TrailingBreakGivesAnEmptyLast", {}, "", "a\nb\n", {u"a", u"b", u""}},
        LineCase{"EmptyLineInTheMiddleKept", {u"x"}, "x", "a\n\nb", {u"a", u"", u"b"}},
        LineCase{"EnterBreaksTheLineInsteadOfPressingOk", {}, "", "one\ntwo", {u"one", u"two"}},
        LineCase{"LongLineWasCutTo1024", {kLongLine, u"after"}, QString::fromStdU16String(kLongLine) + "\nafter",
                 std::nullopt, {kLongLine, u"after"}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.fault); });

using MultiStringDialog = DialogTest;

TEST_F(MultiStringDialog, CancelLeavesTheCallersListAsItWas) {
    CStringList list;
    Fill(list, {u"keep", u"these"});
    CMultiStringDlg dlg(u"Modify multi string", u"Paths", &list);
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& live) {
                            Type(live, IDC_VALUE, QStringLiteral("other\nlines"));
                            PressCancel(live);
                        }),
              IDCANCEL);
    EXPECT_EQ(Read(list), (Strings{u"keep", u"these"}));
}

TEST_F(MultiStringDialog, WithoutAListTheDialogFillsItsOwn) {
    CMultiStringDlg dlg(u"Enter new multi string", u"");
    ASSERT_NE(dlg.m_pList, nullptr);
    EXPECT_TRUE(dlg.m_bOwnsList);
    const INT_PTR result = RunDialog(dlg, [](CDialog& live) {
        Type(live, IDC_NAME, QStringLiteral("Paths"));
        Type(live, IDC_VALUE, QStringLiteral("c:\\one\nc:\\two"));
        PressOk(live);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strName, u"Paths");
    EXPECT_EQ(Read(*dlg.m_pList), (Strings{u"c:\\one", u"c:\\two"}));
}

}  // namespace
}  // namespace brackwell::testing
