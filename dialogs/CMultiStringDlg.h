#pragma once
// Collects a multi-string value: its name and a list of strings, edited as
// the lines of one multi-line field. A given name opens the dialog for
// modifying that value (see CInputDlg::ApplyNameRule).
//
// The list is the caller's when one is given: the dialog refills it on OK
// and never deletes it. Without one the dialog makes its own, which lives
// exactly as long as the dialog.

#include "dialogs/CInputDlg.h"
#include "framework/CStringList.h"

class CMultiStringDlg : public CInputDlg {
public:
    CMultiStringDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, CStringList* pList = nullptr,
                    CWnd* pParentWnd = nullptr);
    ~CMultiStringDlg() override;

    CString m_strHeading;
    CString m_strName;
    // Never null; one element per line after IDOK, unchanged after IDCANCEL.
    CStringList* m_pList;
    BOOL m_bOwnsList;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
