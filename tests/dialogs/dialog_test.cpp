#include "tests/dialogs/dialog_test.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <stdexcept>

#include "framework/CDialog.h"
#include "framework/CEdit.h"
#include "framework/CListCtrl.h"
#include "framework/CWinApp.h"
#include "framework/aygshell.h"
#include "resources/resource.h"
#include "resources/resources.h"

namespace brackwell::testing {

void DialogTest::SetUpTestSuite() {
    AfxWinInitForTests();  // no application object here: only the Qt application
    resources::Register();
}

void DialogTest::TearDown() {
    AfxSetModalDialogDriver({});
    SHSipPreference(nullptr, SIP_DOWN);
}

INT_PTR RunDialog(CDialog& dlg, const std::function<void(CDialog&)>& person) {
    AfxSetModalDialogDriver([&person](CDialog& live) -> INT_PTR {
        person(live);
        return 0;
    });
    const INT_PTR result = dlg.DoModal();
    AfxSetModalDialogDriver({});
    return result;
}

QWidget* Control(const CDialog& dlg, int id) {
    CWnd* control = dlg.GetDlgItem(id);
    return control ? control->m_hWnd : nullptr;
}

QString Text(const CDialog& dlg, int id) {
    CString text;
    dlg.GetDlgItemText(id, text);
    return text.ToQString();
}

bool IsReadOnly(const CDialog& dlg, int id) {
    QWidget* control = Control(dlg, id);
    if (auto* line = qobject_cast<QLineEdit*>(control)) return line->isReadOnly();
    if (auto* multi = qobject_cast<QPlainTextEdit*>(control)) return multi->isReadOnly();
    ADD_FAILURE() << "control " << id << " is no edit field";
    return false;
}

bool IsChecked(const CDialog& dlg, int id) {
    auto* button = qobject_cast<QAbstractButton*>(Control(dlg, id));
    return button && button->isChecked();
}

int FocusedId(const CDialog& dlg) {
    QWidget* focus = dlg.m_hWnd ? dlg.m_hWnd->focusWidget() : nullptr;
    CWnd* control = focus ? CWnd::FromHandle(focus) : nullptr;
    return control && control != &dlg ? control->GetDlgCtrlID() : 0;
}

namespace {

void ReplaceByTyping(QWidget* editor, const QString& text) {
    editor->setFocus(Qt::MouseFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(editor)) multi->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, lines[i]);
    }
}

QAbstractItemView* ByteView(const CDialog& dlg) {
    return qobject_cast<QAbstractItemView*>(ByteList(dlg).m_hWnd);
}

}  // namespace

void Type(CDialog& dlg, int id, const QString& text) { ReplaceByTyping(Control(dlg, id), text); }

void Tap(CDialog& dlg, int id) {
    QWidget* control = Control(dlg, id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    QTest::mouseClick(control, Qt::LeftButton);
}

void PressOk(CDialog& dlg) { Tap(dlg, IDOK); }

void PressCancel(CDialog& dlg) { Tap(dlg, IDCANCEL); }

CListCtrl& ByteList(const CDialog& dlg) {
    auto* list = dynamic_cast<CListCtrl*>(dlg.GetDlgItem(IDC_VALUE));
    if (!list) throw std::logic_error("the dialog has no byte list");
    return *list;
}

std::vector<QString> ByteLabels(const CDialog& dlg) {
    std::vector<QString> labels;
    CListCtrl& list = ByteList(dlg);
    for (int i = 0; i < list.GetItemCount(); ++i) labels.push_back(list.GetItemText(i, 0).ToQString());
    return labels;
}

int SelectedByte(const CDialog& dlg) { return ByteList(dlg).GetNextItem(-1, LVNI_SELECTED); }

void TapByte(CDialog& dlg, int item) {
    QAbstractItemView* view = ByteView(dlg);
    const QModelIndex index = view->model()->index(item, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void TapBesideBytes(CDialog& dlg) {
    QWidget* viewport = ByteView(dlg)->viewport();
    const QPoint corner(viewport->width() - 2, viewport->height() - 2);
    ASSERT_FALSE(ByteView(dlg)->indexAt(corner).isValid()) << "the corner holds a byte";
    QTest::mouseClick(viewport, Qt::LeftButton, {}, corner);
}

void EditByteLabel(CDialog& dlg, int item, const QString& text, bool confirm) {
    CEdit* editor = ByteList(dlg).EditLabel(item);
    ASSERT_NE(editor, nullptr) << "the label edit did not start";
    QWidget* line = editor->m_hWnd;
    ReplaceByTyping(line, text);
    QTest::keyClick(line, confirm ? Qt::Key_Return : Qt::Key_Escape);
    // The item delegate commits and closes its editor from the event loop.
    QCoreApplication::processEvents();
}

}  // namespace brackwell::testing
