#pragma once
// Edits a binary value byte by byte. While the dialog runs the bytes live
// only in the list control, one item per byte labelled with two hexadecimal
// digits: Insert puts a zero byte before the selected one (first when none
// is selected), Append adds one at the end, Delete removes the selected
// byte, and a byte changes by editing its label in place. It neither covers
// the screen nor touches the soft input panel.
//
// Buffers: the constructor's data stays the caller's and is only read in
// OnInitDialog, so it must live until then. After IDOK m_pData is a new
// buffer allocated with new BYTE[] (null when there are no bytes) that the
// caller releases with delete[]; the dialog frees nothing, so a caller that
// passed data keeps its own pointer to release that too. After IDCANCEL
// m_pData and m_nLength are as constructed.

#include "framework/CDialog.h"

class CListCtrl;

class CBinaryDlg : public CDialog {
public:
    CBinaryDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, BYTE* pData, DWORD nLength,
               CWnd* pParentWnd = nullptr);

    CString m_strHeading;
    CString m_strName;
    BYTE* m_pData;
    DWORD m_nLength;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnInsert();
    void OnAppend();
    void OnDelete();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    CListCtrl* List() const;
    // Index of the first selected byte, -1 when none is.
    int SelectedIndex() const;
    // "Size: %Xh" and "Offset: %Xh" (0 with nothing selected).
    void UpdateLabels();
    // Selects a byte, scrolls it into view, refreshes the labels and gives
    // the list the focus.
    void ShowNewByte(int nItem);
};
