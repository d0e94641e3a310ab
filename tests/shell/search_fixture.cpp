#include "tests/shell/search_fixture.h"

#include <QAbstractButton>
#include <QTest>

#include "dialogs/CFindDlg.h"
#include "document/CBrackwellDoc.h"
#include "document/RootKeyTable.h"
#include "framework/CListCtrl.h"
#include "framework/CTreeCtrl.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "resources/resources.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"
#include "shell/CMainFrame.h"

namespace brackwell::testing {
namespace {

// In tree order: roots as listed, their children sorted by name, deeper keys
// in the order written here. Each scenario has a word of its own that
// appears nowhere else, so that a walk to the end meets nothing else.
constexpr std::string_view kSearchRegistry =
    "REGEDIT4\n"
    "\n"
    "[HKEY_CLASSES_ROOT]\n"
    "\"Fresh\"=\"refresh\"\n"
    "\n"
    "[HKEY_CLASSES_ROOT\\.txt]\n"
    "@=\"txtfile\"\n"
    "\n"
    "[HKEY_CURRENT_USER\\Console]\n"
    "\"Font\"=\"Tahoma\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Case]\n"
    "\"Tint\"=\"dark COLOUR\"\n"
    "\"ColourName\"=\"x\"\n"
    "\"Shade\"=\"colour\"\n"
    "[HKEY_LOCAL_MACHINE\\Case\\Colours]\n"
    "[HKEY_LOCAL_MACHINE\\Case\\COLOUR]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Dup]\n"
    "\"one\"=\"dup\"\n"
    "\"two\"=\"dup\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Hollow]\n"
    "\"Blank\"=hex:\n"
    "\"Nothing\"=hex(0):\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Nest]\n"
    "\"Nestling\"=\"chick\"\n"
    "\"Other\"=\"in the nest\"\n"
    "\"Plain\"=\"nothing\"\n"
    "\"Echo\"=\"echo\"\n"
    "[HKEY_LOCAL_MACHINE\\Nest\\Nested]\n"
    "\"Bird\"=\"nest egg\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Reload]\n"
    "\"a\"=\"x\"\n"
    "\"b\"=\"y\"\n"
    "\"c\"=\"refresh\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Swap]\n"
    "[HKEY_LOCAL_MACHINE\\Swap\\First]\n"
    "\"a\"=\"swap\"\n"
    "\"b\"=\"swap\"\n"
    "\"c\"=\"swap\"\n"
    "[HKEY_LOCAL_MACHINE\\Swap\\Second]\n"
    "\"a\"=\"swap\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Taps]\n"
    "\"Row0\"=\"tap\"\n"
    "\"Row1\"=\"tap\"\n"
    "\"Row2\"=\"tap\"\n"
    "\"Row3\"=\"tap\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Types]\n"
    "\"Number\"=dword:ffffffff\n"
    "\"Binary\"=hex:01,ab,00,ff,10\n"
    "\"Multi\"=hex(7):61,70,70,6c,65,00,70,65,61,72,00,00\n"
    "\"Expand\"=hex(2):25,50,41,54,48,25,00\n"
    "\n"
    "[HKEY_USERS]\n"
    "\"Owner\"=\"all users\"\n"
    "[HKEY_USERS\\.Default\\Last]\n"
    "\"x\"=\"again\"\n";

std::string Utf8(const CString& text) {
    return text.ToQString().toStdString();
}

std::string PathOf(HTREEITEM item, const CTreeCtrl& tree) {
    std::string path;
    for (; item; item = tree.GetParentItem(item))
        path = Utf8(tree.GetItemText(item)) + (path.empty() ? "" : "\\" + path);
    return path;
}

std::string RootName(HKEY root) {
    for (const RootKeyEntry& entry : RootKeyTable)
        if (entry.hKey == root) return Utf8(entry.pszName);
    return "(no root)";
}

void TapToState(CDialog& dlg, int id, BOOL bOn) {
    auto* box = qobject_cast<QAbstractButton*>(dlg.GetDlgItem(id)->GetSafeHwnd());
    ASSERT_NE(nullptr, box);
    if (box->isChecked() != bool(bOn)) QTest::mouseClick(box, Qt::LeftButton);
}

SearchSettings ShownIn(const CDialog& dlg) {
    SearchSettings shown;
    dlg.GetDlgItemText(IDC_FIND_TEXT, shown.m_strText);
    shown.m_bKeys = dlg.IsDlgButtonChecked(IDC_FIND_KEYS) == BST_CHECKED;
    shown.m_bValues = dlg.IsDlgButtonChecked(IDC_FIND_VALUES) == BST_CHECKED;
    shown.m_bData = dlg.IsDlgButtonChecked(IDC_FIND_DATA) == BST_CHECKED;
    shown.m_bMatchWhole = dlg.IsDlgButtonChecked(IDC_MATCH_WHOLE) == BST_CHECKED;
    return shown;
}

std::string Describe(const Box& box) {
    std::string text = QString::fromStdU16String(box.text).toStdString() + " [" +
                       QString::fromStdU16String(box.caption).toStdString() + ", " +
                       std::to_string(box.type) + "]";
    if (box.owner != AfxGetMainWnd()) text += " not over the main window";
    return text;
}

}  // namespace

void PrintTo(const Spot& spot, std::ostream* os) {
    *os << "{key " << spot.key << ", row " << spot.row << ", document " << spot.document
        << ", listed " << spot.listed << ", focus " << spot.focus << ", box \"" << spot.box
        << "\"}";
}

Spot KeyAt(std::string_view path) {
    return {std::string(path), "(none)", std::string(path), std::string(path), "keys", ""};
}

Spot ValueAt(std::string_view path, std::string_view name) {
    return {std::string(path), std::string(name), "row " + std::string(name),
            std::string(path), "values",          ""};
}

Spot NoMoreMatches(Spot before) {
    before.box = "There are no more matches [Find, 64]";
    return before;
}

void SearchTest::SetUpTestSuite() {
    resources::Register();
    BuildProgram(kSearchRegistry);
}

void SearchTest::SetUp() {
    GuiTest::SetUp();
    AnswerMessageBoxes(IDOK);
}

void SearchTest::StartAt(std::u16string_view path) {
    if (FindKey(path) == Tree().GetSelectedItem())
        TapKey(path == u"HKEY_USERS" ? u"HKEY_CLASSES_ROOT" : u"HKEY_USERS");
    TapKey(path);
}

void SearchTest::RunFind(const SearchSettings& settings, int nButton) {
    DriveDialogs<CFindDlg>([this, settings, nButton](CFindDlg& dlg) {
        shown_ = ShownIn(dlg);
        TypeInto(dlg, IDC_FIND_TEXT, settings.m_strText.ToQString());
        TapToState(dlg, IDC_FIND_KEYS, settings.m_bKeys);
        TapToState(dlg, IDC_FIND_VALUES, settings.m_bValues);
        TapToState(dlg, IDC_FIND_DATA, settings.m_bData);
        TapToState(dlg, IDC_MATCH_WHOLE, settings.m_bMatchWhole);
        PressButton(dlg, nButton);
    });
    RunCommand(ID_EDIT_FIND);
    EXPECT_EQ(1, DialogsOpened());
}

Spot SearchTest::Find(const SearchSettings& settings) {
    RunFind(settings, IDOK);
    return Observed();
}

void SearchTest::FindAndCancel(const SearchSettings& typed) {
    RunFind(typed, IDCANCEL);
}

Spot SearchTest::FindNext() {
    RunCommand(ID_EDIT_FIND_NEXT);
    return Observed();
}

Spot SearchTest::Observed() {
    EXPECT_EQ(0, AfxGetApp()->GetWaitCursorCount()) << "the wait cursor outlived the step";
    Spot spot;
    spot.key = PathOf(Tree().GetSelectedItem(), Tree());
    const int row = SelectedRow();
    spot.row = row < 0 ? "(none)"
                       : Utf8(List().GetItemText(row, 0)) +
                             (IsRowFullyVisible(row) ? "" : " (out of view)");
    const CBrackwellDoc& doc = Doc();
    if (doc.m_hCurrentItem)
        spot.document =
            PathOf(doc.m_hCurrentItem, Tree()) + (doc.m_nCurrentValue == -1 ? "" : " and a row");
    else if (doc.m_nCurrentValue >= 0)
        spot.document = "row " + Utf8(List().GetItemText(doc.m_nCurrentValue, 0));
    else
        spot.document = "(nothing)";
    spot.listed = RootName(doc.m_hRootKey) +
                  (doc.m_strKeyPath.IsEmpty() ? "" : "\\" + Utf8(doc.m_strKeyPath));
    QWidget* focus = FocusWidget();
    spot.focus = focus == KeysView().GetSafeHwnd()     ? "keys"
                 : focus == ValuesView().GetSafeHwnd() ? "values"
                                                       : "elsewhere";
    for (; boxesSeen_ < Boxes().size(); ++boxesSeen_) spot.box += Describe(Boxes()[boxesSeen_]);
    return spot;
}

}  // namespace brackwell::testing
