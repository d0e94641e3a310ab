#include "framework/CButton.h"

#include <QCheckBox>
#include <QPushButton>

IMPLEMENT_DYNAMIC(CButton, CWnd)

CButton::CButton() = default;

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
