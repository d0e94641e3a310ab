// Find and Find Next: the search's front. Find edits the frame's search
// settings in the find dialog and takes the first step; Find Next takes the
// next one.
#include "dialogs/CFindDlg.h"
#include "document/CBrackwellDoc.h"
#include "framework/CCmdUI.h"
#include "shell/CMainFrame.h"

// A new Find starts afresh: its first match is the first one at or after
// the selected key, whatever the steps of an earlier search left behind.
void CMainFrame::OnEditFind() {
    CFindDlg dlg(m_findSettings);
    if (dlg.DoModal() != IDOK) return;
    dlg.GetSettings(m_findSettings);
    m_bFindActive = TRUE;
    if (auto* pDoc = dynamic_cast<CBrackwellDoc*>(GetActiveDocument())) pDoc->ResetSearch();
    OnEditFindNext();
}

void CMainFrame::OnEditFindNext() {
    if (!m_bFindActive) return;
    auto* pDoc = dynamic_cast<CBrackwellDoc*>(GetActiveDocument());
    if (pDoc && !pDoc->FindNext(m_findSettings))
        MessageBox(u"There are no more matches", u"Find", MB_OK | MB_ICONINFORMATION);
}

void CMainFrame::OnUpdateEditFindNext(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bFindActive);
}
