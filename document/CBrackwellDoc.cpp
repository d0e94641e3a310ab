#include "document/CBrackwellDoc.h"

#include "document/SearchCursor.h"
#include "framework/CListView.h"

IMPLEMENT_DYNCREATE(CBrackwellDoc, CDocument)

CBrackwellDoc::CBrackwellDoc() = default;

CBrackwellDoc::~CBrackwellDoc() = default;

void CBrackwellDoc::SetSelection(HTREEITEM hItem, int nValue) {
    m_hCurrentItem = hItem;
    m_nCurrentValue = nValue;
    // A value chosen by hand after a value match becomes the point the next
    // search step in the same key continues from.
    if (nValue >= 0 && g_nFoundValue >= 0) g_nFoundValue = nValue;
}

CListCtrl* CBrackwellDoc::ValuesList() const {
    POSITION pos = GetFirstViewPosition();
    auto* pView = dynamic_cast<CListView*>(pos ? GetNextView(pos) : nullptr);
    return pView ? &pView->GetListCtrl() : nullptr;
}
