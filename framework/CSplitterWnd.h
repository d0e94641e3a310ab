#pragma once
// Static splitter: a fixed grid of panes in one row or one column. The first
// pane keeps its initial size, the last takes the rest.

#include <vector>

#include "framework/CSize.h"
#include "framework/CWnd.h"

struct CRuntimeClass;
struct CCreateContext;

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    // nRows x nCols with one of them 1.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols,
                              DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // Creates the pane's view from pViewClass; it attaches itself to
    // pContext's document in creation order.
    virtual BOOL CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const;

    // Makes the pane the frame's active view and gives it the focus.
    virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
    virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
    // Activates the next pane (the previous with bPrev), wrapping round.
    virtual void ActivateNext(BOOL bPrev = FALSE);

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;

private:
    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<CWnd*> m_panes;
};
