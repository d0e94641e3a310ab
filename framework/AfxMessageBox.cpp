#include "framework/AfxMessageBox.h"

#include <QMessageBox>
#include <QWidget>

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

namespace {

AfxMessageBoxResponder& Responder() {
    static AfxMessageBoxResponder responder;
    return responder;
}

QMessageBox::Icon IconOf(UINT nType) {
    switch (nType & MB_ICONMASK) {
        case MB_ICONHAND: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONEXCLAMATION: return QMessageBox::Warning;
        case MB_ICONINFORMATION: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

}  // namespace

void AfxSetMessageBoxResponder(AfxMessageBoxResponder responder) { Responder() = std::move(responder); }

int AfxShowMessageBox(CWnd* pOwner, LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType) {
    AfxMessageBoxRequest request;
    request.pOwner = pOwner;
    request.text = lpszText;
    request.caption = lpszCaption;
    request.type = nType;
    if (Responder()) return Responder()(request);

    QWidget* parent = pOwner && pOwner->m_hWnd ? pOwner->m_hWnd->window() : nullptr;
    QMessageBox box(IconOf(nType), request.caption.ToQString(), request.text.ToQString(), QMessageBox::Ok,
                    parent);
    if ((nType & MB_TYPEMASK) == MB_OKCANCEL) {
        box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    return box.exec() == QMessageBox::Cancel ? IDCANCEL : IDOK;
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT) {
    CWinApp* app = AfxGetApp();
    return AfxShowMessageBox(AfxGetMainWnd(), lpszText, app ? app->m_pszAppName : nullptr, nType);
}
