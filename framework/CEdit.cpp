#include "framework/CEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

namespace {

// Enter in a multi-line edit without ES_WANTRETURN goes to the dialog's
// default button, as on the platform.
class AfxEnterToDialog : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(window, &copy);
        return true;
    }
};

QString LineText(QWidget* widget, int nIndex, bool& ok) {
    ok = false;
    if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
        const QTextBlock block = multi->document()->findBlockByNumber(nIndex);
        ok = block.isValid();
        return ok ? block.text() : QString();
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget); line && nIndex == 0) {
        ok = true;
        return line->text();
    }
    return QString();
}

}  // namespace

CEdit::CEdit() = default;

HWND CEdit::CreateWidget(CREATESTRUCT& cs) {
    const auto style = DWORD(cs.style);
    if (style & ES_MULTILINE) {
        auto* edit = new QPlainTextEdit(cs.hwndParent);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setTabChangesFocus(true);
        edit->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        edit->setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
        edit->setReadOnly((style & ES_READONLY) != 0);
        if (!(style & ES_WANTRETURN)) edit->installEventFilter(new AfxEnterToDialog(edit));
        return edit;
    }
    auto* edit = new QLineEdit(cs.hwndParent);
    edit->setFrame((style & WS_BORDER) != 0);
    edit->setReadOnly((style & ES_READONLY) != 0);
    return edit;
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    if (auto* line = qobject_cast<QLineEdit*>(m_hWnd)) line->setReadOnly(bReadOnly != FALSE);
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(m_hWnd)) multi->setReadOnly(bReadOnly != FALSE);
    else return FALSE;
    return TRUE;
}

int CEdit::GetLineCount() const {
    if (auto* multi = qobject_cast<QPlainTextEdit*>(m_hWnd)) return multi->document()->blockCount();
    return m_hWnd ? 1 : 0;
}

int CEdit::GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const {
    bool ok = false;
    const QString text = LineText(m_hWnd, nIndex, ok);
    if (!ok || !lpszBuffer || nMaxLength <= 0) return 0;
    const int count = std::min(int(text.size()), nMaxLength);
    std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), count, lpszBuffer);
    return count;
}
