#include "tests/shell/gui_fixture.h"

#include <sqlite3.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>
#include <ostream>

#include "document/CBrackwellDoc.h"
#include "framework/AfxMessageBox.h"
#include "framework/AfxTreeWidget.h"
#include "framework/CDialog.h"
#include "framework/CEdit.h"
#include "framework/CListCtrl.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "resources/resources.h"
#include "shell/CBrackwellApp.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"
#include "shell/CMainFrame.h"
#include "tests/document/temporary_registry.h"

namespace brackwell::testing {

const std::string_view kFixtureRegistry =
    "REGEDIT4\n"
    "\n"
    "[HKEY_CLASSES_ROOT]\n"
    "\"RootText\"=\"at the root\"\n"
    "\n"
    "[HKEY_CLASSES_ROOT\\.txt]\n"
    "@=\"txtfile\"\n"
    "\n"
    "[HKEY_CURRENT_USER\\Zeta\\b2]\n"
    "[HKEY_CURRENT_USER\\Zeta\\a1]\n"
    "[HKEY_CURRENT_USER\\alpha]\n"
    "[HKEY_CURRENT_USER\\Mid]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Types]\n"
    "\"Text\"=\"hello\"\n"
    "\"Multi\"=hex(7):61,00,62,00,00\n"
    "\"Number\"=dword:ffffffff\n"
    "\"Binary\"=hex:01,ab,00,ff,10\n"
    "\"Short\"=hex:00,01,02\n"
    "\"Expand\"=hex(2):25,50,41,54,48,25,00\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Empty]\n"
    "\"Blank\"=hex:\n"
    "\"Nothing\"=hex(0):\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Rename]\n"
    "\"Alpha\"=\"one\"\n"
    "\"Beta\"=\"two\"\n"
    "\"Gamma\"=dword:00000007\n"
    "\"Delta\"=\"four\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Hardware]\n";

void PrintTo(const Row& row, std::ostream* os) {
    *os << "{" << QString::fromStdU16String(row.name).toStdString() << ", "
        << QString::fromStdU16String(row.data).toStdString() << ", " << row.image << "}";
}

std::unique_ptr<TemporaryRegistry> GuiTest::registry_;

void GuiTest::ChangeRegistryFile(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(registry_->path().c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr))
        << sqlite3_errmsg(db);
    sqlite3_close(db);
}

void GuiTest::SetUpTestSuite() {
    resources::Register();
    BuildProgram();
}

void GuiTest::BuildProgram() {
    BuildProgram(kFixtureRegistry);
}

void GuiTest::BuildProgram(std::string_view regText) {
    registry_ = std::make_unique<TemporaryRegistry>(regText);
    if (registry_->error().empty() && !AfxWinInitForTests())
        ADD_FAILURE() << "the program did not start";
}

void GuiTest::TearDownTestSuite() {
    AfxWinTermForTests();
    registry_.reset();
}

void GuiTest::SetUp() {
    ASSERT_EQ("", registry_->error());
    ASSERT_EQ(static_cast<CWinApp*>(&theApp), AfxGetApp());
    ASSERT_NE(nullptr, dynamic_cast<CMainFrame*>(AfxGetMainWnd()));
    AfxSetMessageBoxResponder([](const AfxMessageBoxRequest& request) {
        ADD_FAILURE() << "unexpected message box: " << request.text.ToQString().toStdString();
        return IDCANCEL;
    });
    AfxSetModalDialogDriver([](CDialog& dlg) -> INT_PTR {
        ADD_FAILURE() << "unexpected dialog " << dlg.GetRuntimeClass()->m_lpszClassName;
        return IDCANCEL;
    });
}

void GuiTest::TearDown() {
    AfxSetMessageBoxResponder({});
    AfxSetModalDialogDriver({});
}

CMainFrame& GuiTest::Frame() {
    return *dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}

CBrackwellDoc& GuiTest::Doc() {
    return *dynamic_cast<CBrackwellDoc*>(Frame().GetActiveDocument());
}

CDetailsView& GuiTest::ValuesView() {
    POSITION pos = Doc().GetFirstViewPosition();
    return *dynamic_cast<CDetailsView*>(Doc().GetNextView(pos));
}

CBrackwellView& GuiTest::KeysView() {
    POSITION pos = Doc().GetFirstViewPosition();
    Doc().GetNextView(pos);
    return *dynamic_cast<CBrackwellView*>(Doc().GetNextView(pos));
}

CListCtrl& GuiTest::List() {
    return ValuesView().GetListCtrl();
}

CTreeCtrl& GuiTest::Tree() {
    return KeysView().GetTreeCtrl();
}

HTREEITEM GuiTest::FindKey(std::u16string_view path) {
    HTREEITEM item = nullptr;
    HTREEITEM candidate = Tree().GetRootItem();
    while (!path.empty()) {
        const std::u16string_view name = path.substr(0, path.find(u'\\'));
        path.remove_prefix(std::min(path.size(), name.size() + 1));
        while (candidate && Tree().GetItemText(candidate).str() != name)
            candidate = Tree().GetNextSiblingItem(candidate);
        if (!candidate) return nullptr;
        item = candidate;
        candidate = Tree().GetChildItem(item);
    }
    return item;
}

std::vector<std::u16string> GuiTest::ChildLabels(HTREEITEM item) {
    std::vector<std::u16string> labels;
    for (HTREEITEM child = item ? Tree().GetChildItem(item) : Tree().GetRootItem(); child;
         child = Tree().GetNextSiblingItem(child))
        labels.push_back(Tree().GetItemText(child).str());
    return labels;
}

std::vector<Row> GuiTest::Rows() {
    std::vector<Row> rows;
    for (int row = 0; row < List().GetItemCount(); ++row) {
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        List().GetItem(&item);
        rows.push_back(
            {List().GetItemText(row, 0).str(), List().GetItemText(row, 1).str(), item.iImage});
    }
    return rows;
}

int GuiTest::RowOf(std::u16string_view name) {
    for (int row = 0; row < List().GetItemCount(); ++row)
        if (List().GetItemText(row, 0).str() == name) return row;
    return -1;
}

int GuiTest::SelectedRow() {
    return List().GetNextItem(-1, LVNI_SELECTED);
}

bool GuiTest::IsRowFullyVisible(int row) {
    auto* view = qobject_cast<QAbstractItemView*>(List().GetSafeHwnd());
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    return rect.isValid() && view->viewport()->rect().contains(rect);
}

namespace {

QAbstractItemView* ListWidget(CListCtrl& list) {
    return qobject_cast<QAbstractItemView*>(list.GetSafeHwnd());
}

QPoint RowCentre(CListCtrl& list, int row) {
    QAbstractItemView* view = ListWidget(list);
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    return view->visualRect(index).center();
}

}  // namespace

namespace {

// Opens the key's parents and scrolls it into sight: where its label is.
QPoint KeyLabelCentre(CTreeCtrl& tree, HTREEITEM item) {
    for (HTREEITEM parent = tree.GetParentItem(item); parent; parent = tree.GetParentItem(parent))
        tree.Expand(parent, TVE_EXPAND);
    auto* view = static_cast<AfxTreeWidget*>(tree.GetSafeHwnd());
    const QModelIndex index = view->IndexOf(item);
    view->scrollTo(index);
    return view->visualRect(index).center();
}

}  // namespace

void GuiTest::TapKey(std::u16string_view path) {
    const HTREEITEM item = FindKey(path);
    ASSERT_NE(nullptr, item) << QString::fromStdU16String(std::u16string(path)).toStdString();
    const QPoint centre = KeyLabelCentre(Tree(), item);
    QTest::mouseClick(static_cast<AfxTreeWidget*>(Tree().GetSafeHwnd())->viewport(), Qt::LeftButton,
                      {}, centre);
}

namespace {

QString TipAt(QWidget* viewport, QPoint point) {
    QToolTip::hideText();
    QHelpEvent event(QEvent::ToolTip, point, viewport->mapToGlobal(point));
    QCoreApplication::sendEvent(viewport, &event);
    return QToolTip::isVisible() ? QToolTip::text().remove(u'\n') : QString();
}

}  // namespace

QString GuiTest::TipOfKey(std::u16string_view path) {
    const HTREEITEM item = FindKey(path);
    if (!item) return QStringLiteral("no key ") + QString::fromStdU16String(std::u16string(path));
    const QPoint centre = KeyLabelCentre(Tree(), item);
    return TipAt(static_cast<AfxTreeWidget*>(Tree().GetSafeHwnd())->viewport(), centre);
}

QString GuiTest::TipOfCell(int row, int column) {
    QAbstractItemView* view = ListWidget(List());
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    return TipAt(view->viewport(), view->visualRect(index).center());
}

void GuiTest::TapRow(int row) {
    const QPoint centre = RowCentre(List(), row);
    QTest::mouseClick(ListWidget(List())->viewport(), Qt::LeftButton, {}, centre);
}

void GuiTest::DoubleTapRow(int row) {
    const QPoint centre = RowCentre(List(), row);
    QTest::mouseDClick(ListWidget(List())->viewport(), Qt::LeftButton, {}, centre);
}

void GuiTest::TapBelowRows() {
    QWidget* viewport = ListWidget(List())->viewport();
    const QPoint below(10, viewport->height() - 3);
    ASSERT_FALSE(ListWidget(List())->indexAt(below).isValid()) << "no empty space below the rows";
    QTest::mouseClick(viewport, Qt::LeftButton, {}, below);
}

namespace {

QLineEdit* StartNameEdit(CListCtrl& list, int row) {
    CEdit* edit = list.EditLabel(row);
    return edit ? qobject_cast<QLineEdit*>(edit->GetSafeHwnd()) : nullptr;
}

}  // namespace

void GuiTest::EditRowName(int row, const QString& text) {
    QLineEdit* editor = StartNameEdit(List(), row);
    ASSERT_NE(nullptr, editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The item view commits and closes the editor from a queued call.
    QCoreApplication::processEvents();
}

void GuiTest::CancelRowNameEdit(int row, const QString& text) {
    QLineEdit* editor = StartNameEdit(List(), row);
    ASSERT_NE(nullptr, editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
}

QAction* GuiTest::MenuAction(UINT id) {
    auto* menuBar = Frame().GetSafeHwnd()->findChild<QMenuBar*>();
    return menuBar ? menuBar->findChild<QAction*>(QString::number(id)) : nullptr;
}

QToolButton* GuiTest::ToolButton(UINT id) {
    return Frame().GetSafeHwnd()->findChild<QToolButton*>(QString::number(id));
}

bool GuiTest::IsCommandEnabled(UINT id) {
    Frame().OnIdleUpdateCmdUI();
    QAction* action = MenuAction(id);
    if (!action) ADD_FAILURE() << "no menu item for command " << id;
    return action && action->isEnabled();
}

void GuiTest::RunCommand(UINT id) {
    ASSERT_TRUE(IsCommandEnabled(id)) << "command " << id << " is disabled";
    MenuAction(id)->trigger();
}

// Keys go where a keyboard's go: to an open menu, else to the focus of the
// active window. The offscreen platform activates no window by itself.
void GuiTest::PressKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!QApplication::activeWindow()) QApplication::setActiveWindow(Frame().GetSafeHwnd());
    QWidget* target = QApplication::activePopupWidget();
    if (!target) target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    if (key == Qt::Key_Alt) {
        // Alt alone: released without the modifier it set.
        QTest::keyPress(target, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(target, Qt::Key_Alt, Qt::NoModifier);
        return;
    }
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

QWidget* GuiTest::FocusWidget() {
    return Frame().GetSafeHwnd()->focusWidget();
}

void PrintTo(const Box& box, std::ostream* os) {
    *os << "{" << static_cast<const void*>(box.owner) << ", \""
        << QString::fromStdU16String(box.text).toStdString() << "\", \""
        << QString::fromStdU16String(box.caption).toStdString() << "\", " << box.type << "}";
}

bool KeyExists(HKEY root, std::u16string_view path) {
    const std::u16string keyPath(path);
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, keyPath.c_str(), 0, 0, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void GuiTest::TapToolButton(UINT id) {
    Frame().OnIdleUpdateCmdUI();
    QToolButton* button = ToolButton(id);
    ASSERT_NE(nullptr, button) << "no tool button for command " << id;
    ASSERT_TRUE(button->isEnabled()) << "tool button " << id << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

void GuiTest::TypeRowName(const QString& text) {
    QLineEdit* editor = ListWidget(List())->findChild<QLineEdit*>();
    ASSERT_NE(nullptr, editor) << "no name is being edited";
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void GuiTest::AnswerMessageBoxes(int answer) {
    AfxSetMessageBoxResponder([this, answer](const AfxMessageBoxRequest& request) {
        boxes_.push_back({request.pOwner, request.text.str(), request.caption.str(), request.type});
        return answer;
    });
}

namespace {

QWidget* DialogControl(const CDialog& dlg, int id) {
    CWnd* control = dlg.GetDlgItem(id);
    return control ? control->GetSafeHwnd() : nullptr;
}

CListCtrl& DialogByteList(const CDialog& dlg) {
    return *dynamic_cast<CListCtrl*>(dlg.GetDlgItem(IDC_VALUE));
}

}  // namespace

void GuiTest::TypeInto(CDialog& dlg, int id, const QString& text) {
    QWidget* editor = DialogControl(dlg, id);
    ASSERT_NE(nullptr, editor) << "no control " << id;
    editor->setFocus(Qt::MouseFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
    if (auto* multi = qobject_cast<QPlainTextEdit*>(editor)) multi->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, lines[i]);
    }
}

void GuiTest::PressButton(CDialog& dlg, int id) {
    QWidget* button = DialogControl(dlg, id);
    ASSERT_NE(nullptr, button) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

QString GuiTest::FieldText(const CDialog& dlg, int id) {
    CString text;
    dlg.GetDlgItemText(id, text);
    return text.ToQString();
}

bool GuiTest::IsFieldReadOnly(const CDialog& dlg, int id) {
    QWidget* editor = DialogControl(dlg, id);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) return line->isReadOnly();
    if (auto* multi = qobject_cast<QPlainTextEdit*>(editor)) return multi->isReadOnly();
    ADD_FAILURE() << "control " << id << " is no edit field";
    return false;
}

std::vector<QString> GuiTest::ByteLabels(const CDialog& dlg) {
    std::vector<QString> labels;
    CListCtrl& list = DialogByteList(dlg);
    for (int i = 0; i < list.GetItemCount(); ++i)
        labels.push_back(list.GetItemText(i, 0).ToQString());
    return labels;
}

void GuiTest::EditByte(CDialog& dlg, int item, const QString& text) {
    CEdit* editor = DialogByteList(dlg).EditLabel(item);
    ASSERT_NE(nullptr, editor) << "the label edit did not start";
    auto* line = qobject_cast<QLineEdit*>(editor->GetSafeHwnd());
    line->selectAll();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Return);
    QCoreApplication::processEvents();
}

}  // namespace brackwell::testing
