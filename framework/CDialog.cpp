#include "framework/CDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <vector>

#include "framework/AfxDialogWidget.h"
#include "framework/AfxResources.h"
#include "framework/CButton.h"
#include "framework/CEdit.h"
#include "framework/CListCtrl.h"
#include "framework/CStatic.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

class AfxDialogState {
public:
    std::vector<std::unique_ptr<CWnd>> controls;
    SIZE baseUnits{0, 0};
    bool ended = false;
    int result = IDCANCEL;
};

namespace {

AfxModalDialogDriver& Driver() {
    static AfxModalDialogDriver driver;
    return driver;
}

LONG MulDiv(LONG value, LONG numerator, LONG denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return LONG(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

SIZE BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return SIZE{(alphabet / 26 + 1) / 2, metrics.height()};
}

bool SameClass(LPCWSTR a, LPCWSTR b) { return a && CString(a).CompareNoCase(b) == 0; }

QPixmap IconPixmap(UINT id) {
    QPixmap best;
    for (std::string_view xpm : AfxResources::FindIcon(id)) {
        QPixmap pixmap;
        if (pixmap.loadFromData(reinterpret_cast<const uchar*>(xpm.data()), uint(xpm.size()), "XPM") &&
            pixmap.width() > best.width())
            best = pixmap;
    }
    return best;
}

}  // namespace

void AfxSetModalDialogDriver(AfxModalDialogDriver driver) { Driver() = std::move(driver); }

void AfxMapDialogRect(LPRECT lpRect, SIZE baseUnits) {
    lpRect->left = MulDiv(lpRect->left, baseUnits.cx, 4);
    lpRect->right = MulDiv(lpRect->right, baseUnits.cx, 4);
    lpRect->top = MulDiv(lpRect->top, baseUnits.cy, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, baseUnits.cy, 8);
}

CDialog::CDialog() : m_pState(std::make_unique<AfxDialogState>()) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pState(std::make_unique<AfxDialogState>()) {
    SetParentWnd(pParentWnd);
}

CDialog::~CDialog() = default;

SIZE CDialog::GetDialogBaseUnits() const {
    if (m_pState->baseUnits.cx > 0) return m_pState->baseUnits;
    QFont font = QApplication::font();
    if (const AfxDialogTemplate* t = AfxResources::FindDialog(m_nIDTemplate); t && t->pointSize)
        font.setPointSize(t->pointSize);
    return BaseUnitsOf(font);
}

void CDialog::MapDialogRect(LPRECT lpRect) const { AfxMapDialogRect(lpRect, GetDialogBaseUnits()); }

BOOL CDialog::BuildFromTemplate() {
    const AfxDialogTemplate* t = AfxResources::FindDialog(m_nIDTemplate);
    if (!t || m_hWnd) return FALSE;
    CWnd* owner = GetParent() ? GetParent() : AfxGetMainWnd();
    auto* widget = new AfxDialogWidget(this, owner && owner->m_hWnd ? owner->m_hWnd->window() : nullptr);
    Qt::WindowFlags flags = ((t->exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Dialog) | Qt::WindowTitleHint;
    if (t->style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (!(t->style & WS_CAPTION)) flags |= Qt::FramelessWindowHint;
    widget->setWindowFlags(flags);
    widget->setWindowTitle(CString(t->caption).ToQString());
    // The handheld's "System" font maps to the desktop's general font at the
    // template's point size.
    QFont font = QApplication::font();
    if (t->pointSize) font.setPointSize(t->pointSize);
    widget->setFont(font);
    m_pState->baseUnits = BaseUnitsOf(font);
    m_pState->controls.clear();
    m_pState->ended = false;
    AttachOwned(widget);
    SetOwnStyle(t->style);

    int top = 0;
    if (t->exStyle & WS_EX_CAPTIONOKBTN) {
        // The OK button in the caption is drawn in a caption row of our own.
        auto* row = new QWidget(widget);
        row->setObjectName(QStringLiteral("captionRow"));
        row->setAutoFillBackground(true);
        row->setBackgroundRole(QPalette::Highlight);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(4, 2, 2, 2);
        auto* title = new QLabel(CString(t->caption).ToQString(), row);
        title->setForegroundRole(QPalette::HighlightedText);
        QFont bold = font;
        bold.setBold(true);
        title->setFont(bold);
        auto* ok = new QPushButton(QStringLiteral("OK"), row);
        ok->setObjectName(QStringLiteral("captionOk"));
        ok->setAutoDefault(false);
        ok->setFocusPolicy(Qt::NoFocus);
        QObject::connect(ok, &QPushButton::clicked, ok, [this] { SendMessage(WM_COMMAND, IDOK); });
        layout->addWidget(title, 1);
        layout->addWidget(ok);
        top = row->sizeHint().height();
        row->setGeometry(0, 0, 0, top);
        row->setProperty("afxCaptionRow", true);
    }

    RECT size{0, 0, t->cx, t->cy};
    MapDialogRect(&size);
    widget->resize(size.right, size.bottom + top);
    if (QWidget* row = widget->findChild<QWidget*>(QStringLiteral("captionRow"))) row->resize(size.right, top);

    for (const AfxDialogItem& item : t->items)
        if (!CreateControl(item, top)) return FALSE;
    QWidget* previous = nullptr;
    for (auto& control : m_pState->controls) {
        if (!(control->GetStyle() & WS_TABSTOP)) continue;
        if (previous) QWidget::setTabOrder(previous, control->m_hWnd);
        previous = control->m_hWnd;
    }
    return TRUE;
}

BOOL CDialog::CreateControl(const AfxDialogItem& item, int nTop) {
    std::unique_ptr<CWnd> control;
    DWORD style = item.style | WS_CHILD | WS_VISIBLE;
    if (SameClass(item.className, WC_EDIT)) {
        control = std::make_unique<CEdit>();
        style |= WS_TABSTOP;
    } else if (SameClass(item.className, WC_BUTTON)) {
        control = std::make_unique<CButton>();
        if ((item.style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) style |= WS_TABSTOP;
    } else if (SameClass(item.className, WC_STATIC)) {
        control = std::make_unique<CStatic>();
    } else if (SameClass(item.className, WC_LISTVIEW)) {
        control = std::make_unique<CListCtrl>();
    } else {
        control = std::make_unique<CWnd>();
    }
    RECT rect{item.x, item.y, item.x + item.cx, item.y + item.cy};
    MapDialogRect(&rect);
    rect.top += nTop;
    rect.bottom += nTop;
    const bool isIcon = SameClass(item.className, WC_STATIC) && (item.style & SS_TYPEMASK) == SS_ICON;
    if (!control->CreateEx(item.exStyle, item.className, isIcon ? nullptr : item.text, style, rect, this,
                           UINT(item.id)))
        return FALSE;
    if (isIcon) {
        const QPixmap pixmap = IconPixmap(item.imageId);
        static_cast<QLabel*>(control->m_hWnd)->setPixmap(pixmap);
        if (!pixmap.isNull()) control->m_hWnd->resize(pixmap.size());
    }
    control->m_hWnd->setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus
                                    : isIcon || SameClass(item.className, WC_STATIC) ? Qt::NoFocus
                                                                                     : Qt::ClickFocus);
    m_pState->controls.push_back(std::move(control));
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    if (!BuildFromTemplate()) {
        if (m_hWnd) DestroyWindow();
        m_pState->controls.clear();
        return -1;
    }
    auto* widget = static_cast<AfxDialogWidget*>(m_hWnd);
    if (OnInitDialog()) {
        for (auto& control : m_pState->controls) {
            if ((control->GetStyle() & WS_TABSTOP) && control->m_hWnd->isEnabled()) {
                GotoDlgCtrl(control.get());
                break;
            }
        }
    }
    INT_PTR result = IDCANCEL;
    if (m_pState->ended) {
        result = m_pState->result;  // ended during initialisation
    } else if (Driver()) {
        widget->show();
        QApplication::setActiveWindow(widget);
        const INT_PTR driven = Driver()(*this);
        result = m_pState->ended ? m_pState->result : driven;
    } else {
        widget->exec();
        result = m_pState->ended ? m_pState->result : IDCANCEL;
    }
    if (m_hWnd) DestroyWindow();
    m_pState->controls.clear();
    return result;
}

void CDialog::EndDialog(int nResult) {
    m_pState->ended = true;
    m_pState->result = nResult;
    if (m_hWnd) static_cast<QDialog*>(m_hWnd)->done(nResult);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { SendMessage(WM_COMMAND, IDCANCEL); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (!pWndCtrl || !pWndCtrl->m_hWnd) return;
    QWidget* widget = pWndCtrl->m_hWnd;
    widget->setFocus(Qt::TabFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) line->selectAll();
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) multi->selectAll();
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NEXTDLGCTL) return CWnd::WindowProc(message, wParam, lParam);
    if (LOWORD(WPARAM(lParam))) {
        GotoDlgCtrl(FromHandle(reinterpret_cast<HWND>(wParam)));
    } else if (m_hWnd) {
        QWidget* focus = m_hWnd->focusWidget();
        QWidget* next = focus ? (wParam ? focus->previousInFocusChain() : focus->nextInFocusChain()) : nullptr;
        if (CWnd* control = next ? FromHandle(next) : nullptr) GotoDlgCtrl(control);
    }
    return 0;
}
