#include "framework/CButton.h"

#include <QCheckBox>
#include <QPushButton>

IMPLEMENT_DYNAMIC(CButton, CWnd)

CButton::CButton() = default;

BOOL CButton::Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

HWND CButton::CreateWidget(CREATESTRUCT& cs) {
    const DWORD type = DWORD(cs.style) & BS_TYPEMASK;
    QAbstractButton* button = nullptr;
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) {
        button = new QCheckBox(cs.hwndParent);
    } else {
        auto* push = new QPushButton(cs.hwndParent);
        push->setAutoDefault(true);
        push->setDefault(type == BS_DEFPUSHBUTTON);
        button = push;
    }
    QObject::connect(button, &QAbstractButton::clicked, button, [this] {
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), WORD(BN_CLICKED)),
                                reinterpret_cast<LPARAM>(m_hWnd));
    });
    return button;
}

void CButton::SetCheck(int nCheck) {
    if (auto* button = qobject_cast<QAbstractButton*>(m_hWnd); button && button->isCheckable())
        button->setChecked(nCheck == BST_CHECKED);
}

int CButton::GetCheck() const {
    auto* button = qobject_cast<QAbstractButton*>(m_hWnd);
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}
