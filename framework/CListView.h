#pragma once
// A view that is a list control; the control's notifications are reflected
// to the view's map.

#include "framework/CListCtrl.h"
#include "framework/CView.h"

class CListView : public CView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    ~CListView() override;

    CListCtrl& GetListCtrl() const;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;

private:
    mutable CListCtrl m_listCtrl;
};
