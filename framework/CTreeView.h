#pragma once
// A view that is a tree control; the control's notifications are reflected
// to the view's map.

#include "framework/CTreeCtrl.h"
#include "framework/CView.h"

class CTreeView : public CView {
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView();
    ~CTreeView() override;

    CTreeCtrl& GetTreeCtrl() const;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;

private:
    mutable CTreeCtrl m_treeCtrl;
};
