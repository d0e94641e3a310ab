#include "document/CBrackwellDoc.h"

#include "document/SearchCursor.h"
#include "framework/CListView.h"
#include "framework/CTreeView.h"

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
    CListView* pView = ValuesView();
    return pView ? &pView->GetListCtrl() : nullptr;
}

CListView* CBrackwellDoc::ValuesView() const {
    POSITION pos = GetFirstViewPosition();
    return dynamic_cast<CListView*>(pos ? GetNextView(pos) : nullptr);
}

CTreeView* CBrackwellDoc::KeyTreeView() const {
    POSITION pos = GetFirstViewPosition();
    if (pos) GetNextView(pos);
    return dynamic_cast<CTreeView*>(pos ? GetNextView(pos) : nullptr);
}
