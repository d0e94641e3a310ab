#pragma once
// Edits a copy of the search settings: the text to find and the four
// switches. The caller's record changes only through GetSettings.

#include "dialogs/CInputDlg.h"
#include "dialogs/SearchSettings.h"

class CFindDlg : public CInputDlg {
public:
    explicit CFindDlg(const SearchSettings& settings, CWnd* pParentWnd = nullptr);

    void GetSettings(SearchSettings& settings) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    SearchSettings m_settings;
};
