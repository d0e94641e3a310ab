#include "framework/CStatic.h"

#include <QLabel>

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::CStatic() = default;

HWND CStatic::CreateWidget(CREATESTRUCT& cs) {
    auto* label = new QLabel(cs.hwndParent);
    label->setTextFormat(Qt::PlainText);
    const DWORD type = DWORD(cs.style) & SS_TYPEMASK;
    label->setAlignment((type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(type == SS_LEFT || type == SS_RIGHT);
    return label;
}
