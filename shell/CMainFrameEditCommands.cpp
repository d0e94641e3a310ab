// The editing commands of the main frame: New, Modify, Rename, Delete and
// Refresh. They run the dialogs and hand the results to the document, which
// writes the registry and brings both views up to date.
#include <memory>

#include "dialogs/CBinaryDlg.h"
#include "dialogs/CMultiStringDlg.h"
#include "dialogs/CNewKeyDlg.h"
#include "dialogs/CNumberDlg.h"
#include "dialogs/CStringDlg.h"
#include "document/CBrackwellDoc.h"
#include "framework/CCmdUI.h"
#include "framework/CListCtrl.h"
#include "framework/CStringList.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"
#include "shell/CMainFrame.h"

namespace {

using ByteBuffer = std::unique_ptr<BYTE[]>;

CBrackwellDoc& Document(CMainFrame& frame) {
    return *static_cast<CBrackwellDoc*>(frame.GetActiveDocument());
}

CDetailsView& ValuesView(CBrackwellDoc& doc) {
    POSITION pos = doc.GetFirstViewPosition();
    return *static_cast<CDetailsView*>(doc.GetNextView(pos));
}

CBrackwellView& KeysView(CBrackwellDoc& doc) {
    POSITION pos = doc.GetFirstViewPosition();
    doc.GetNextView(pos);
    return *static_cast<CBrackwellView*>(doc.GetNextView(pos));
}

// Each modify writes back under the value's own name, never the dialog's:
// the default value has an empty name, so its dialog offers an editable
// name field, and a name typed there must not send the data to another
// value while this row shows it.

void ModifyString(CBrackwellDoc& doc, const CString& strName, DWORD dwType, int nRow) {
    CString strValue;
    if (!doc.ReadString(strName, strValue)) return;
    CStringDlg dlg(u"Edit string", strName, strValue);
    if (dlg.DoModal() == IDOK) doc.SetString(strName, dlg.m_strValue, nRow, dwType);
}

void ModifyNumber(CBrackwellDoc& doc, const CString& strName, DWORD dwValue, int nRow) {
    CNumberDlg dlg(u"Edit number", strName, dwValue);
    if (dlg.DoModal() == IDOK) doc.SetNumber(strName, dlg.m_nValue, nRow);
}

// Binary values, and values of any type without a dialog of its own, which
// keep their type.
void ModifyBytes(CBrackwellDoc& doc, const CString& strName, DWORD dwType, int nRow) {
    BYTE* pRead = nullptr;
    DWORD cbRead = 0;
    const BOOL bRead = doc.ReadBinary(strName, pRead, cbRead);
    const ByteBuffer readData(pRead);
    if (!bRead) return;
    CBinaryDlg dlg(u"Edit binary value", strName, readData.get(), cbRead);
    if (dlg.DoModal() != IDOK) return;
    const ByteBuffer newData(dlg.m_pData);
    doc.SetValue(strName, dwType, newData.get(), dlg.m_nLength, nRow);
}

// The dialog shows one string per line, so a string holding a line break
// would come back as two strings: such a value is edited as its bytes.
bool EachStringFitsOnALine(const CStringList& list) {
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const CString& strItem = list.GetNext(pos);
        if (strItem.Find(u'\r') != -1 || strItem.Find(u'\n') != -1) return false;
    }
    return true;
}

void ModifyMultiString(CBrackwellDoc& doc, const CString& strName, int nRow) {
    CStringList list;
    if (!doc.ReadMultiString(strName, list)) return;
    if (!EachStringFitsOnALine(list)) {
        ModifyBytes(doc, strName, REG_MULTI_SZ, nRow);
        return;
    }
    CMultiStringDlg dlg(u"Edit multi string", strName, &list);
    if (dlg.DoModal() == IDOK) doc.SetMultiString(strName, list, nRow);
}

}  // namespace

void CMainFrame::OnUpdateKeySelected(CCmdUI* pCmdUI) {
    pCmdUI->Enable(Document(*this).m_hCurrentItem != nullptr);
}

void CMainFrame::OnUpdateValueSelected(CCmdUI* pCmdUI) {
    pCmdUI->Enable(Document(*this).m_nCurrentValue != -1);
}

void CMainFrame::OnEditNewKey() {
    CNewKeyDlg dlg;
    if (dlg.DoModal() == IDOK) Document(*this).AddKey(dlg.m_strName);
}

void CMainFrame::OnEditNewNumber() {
    CNumberDlg dlg(u"Enter new number", u"", 0);
    if (dlg.DoModal() == IDOK) Document(*this).SetNumber(dlg.m_strName, dlg.m_nValue, -1);
}

void CMainFrame::OnEditNewString() {
    CStringDlg dlg(u"Enter new string", u"", u"");
    if (dlg.DoModal() == IDOK) Document(*this).SetString(dlg.m_strName, dlg.m_strValue, -1);
}

void CMainFrame::OnEditNewMultiString() {
    CMultiStringDlg dlg(u"Enter new multi string", u"");
    if (dlg.DoModal() == IDOK) Document(*this).SetMultiString(dlg.m_strName, *dlg.m_pList, -1);
}

void CMainFrame::OnEditNewBinary() {
    CBinaryDlg dlg(u"Enter new binary value", u"", nullptr, 0);
    if (dlg.DoModal() != IDOK) return;
    const ByteBuffer data(dlg.m_pData);
    Document(*this).SetBinary(dlg.m_strName, data.get(), dlg.m_nLength, -1);
}

// The dialog follows the type the store holds, not the row's text or image.
void CMainFrame::OnEditModify() {
    CBrackwellDoc& doc = Document(*this);
    const int nRow = doc.m_nCurrentValue;
    const CString strName = ValuesView(doc).GetListCtrl().GetItemText(nRow, 0);
    DWORD dwType = REG_NONE;
    if (!doc.ReadValueType(strName, dwType)) return;
    DWORD dwNumber = 0;
    switch (dwType) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            ModifyString(doc, strName, dwType, nRow);
            break;
        case REG_MULTI_SZ:
            ModifyMultiString(doc, strName, nRow);
            break;
        case REG_DWORD:
            // A number of another size than four bytes would be cut to four.
            if (doc.ReadNumber(strName, dwNumber))
                ModifyNumber(doc, strName, dwNumber, nRow);
            else
                ModifyBytes(doc, strName, dwType, nRow);
            break;
        default:
            ModifyBytes(doc, strName, dwType, nRow);
            break;
    }
}

void CMainFrame::OnEditRename() {
    CBrackwellDoc& doc = Document(*this);
    ValuesView(doc).GetListCtrl().EditLabel(doc.m_nCurrentValue);
}

// A selected value is deleted, never the key that holds it.
void CMainFrame::OnEditDelete() {
    CBrackwellDoc& doc = Document(*this);
    if (doc.m_nCurrentValue != -1)
        doc.DeleteValue();
    else if (doc.m_hCurrentItem)
        doc.DeleteKey();
}

void CMainFrame::OnViewRefresh() {
    CBrackwellDoc& doc = Document(*this);
    BeginWaitCursor();
    ValuesView(doc).GetListCtrl().DeleteAllItems();
    doc.FillTree(&KeysView(doc));
    doc.SetSelection(nullptr, -1);
    EndWaitCursor();
}
