#include "framework/CStatic.h"

#include <QLabel>

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::CStatic() = default;

BOOL CStatic::Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_STATIC, lpszText, dwStyle, rect, pParentWnd, nID);
}

HWND CStatic::CreateWidget(CREATESTRUCT& cs) {
    auto* label = new QLabel(cs.hwndParent);
    label->setTextFormat(Qt::PlainText);
    const DWORD type = DWORD(cs.style) & SS_TYPEMASK;
    label->setAlignment((type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(type == SS_LEFT || type == SS_RIGHT);
    return label;
}
