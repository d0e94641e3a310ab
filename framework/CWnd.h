#pragma once
// A window: a C++ object attached to the widget that implements it
// (m_hWnd). Messages go through WindowProc; commands and notifications
// through the message maps.

#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class QEvent;
class CFrameWnd;
struct CCreateContext;
class AfxWindowLink;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd = nullptr;

    CWnd();
    ~CWnd() override;

    // Tells whether a window object was deleted while the watch lived:
    // frames and views delete themselves when their window is destroyed,
    // for instance when creation fails in WM_CREATE.
    class DeletionWatch {
    public:
        explicit DeletionWatch(CWnd* pWnd);
        ~DeletionWatch();
        DeletionWatch(const DeletionWatch&) = delete;
        DeletionWatch& operator=(const DeletionWatch&) = delete;
        bool Deleted() const { return m_bDeleted; }

    private:
        friend class CWnd;
        CWnd* m_pWnd;
        bool m_bDeleted = false;
    };

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object attached to hWnd or to its nearest ancestor that has one.
    static CWnd* FromHandle(HWND hWnd);
    // Attaches an existing widget (not owned: it is not deleted with this
    // object); Detach releases it.
    BOOL Attach(HWND hWnd);
    HWND Detach();

    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName,
                  DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                  LPVOID lpParam = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Sends WM_DESTROY to this window and its descendants, deletes the
    // widgets, then lets each object finish in PostNcDestroy.
    virtual BOOL DestroyWindow();

    // Handled: WM_COMMAND (wParam = id; a command not sent by a control runs
    // only while its update handler leaves it enabled), WM_CLOSE, and the
    // messages the derived windows document.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Delivered from the event loop; dropped if the window is gone by then.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    BOOL IsWindowVisible() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    // Centres over the owner (or pAlternateOwner), else over the screen.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    void SetWindowText(LPCWSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    int GetDlgCtrlID() const { return int(m_nID); }
    DWORD GetStyle() const { return m_dwStyle; }
    CWnd* GetParent() const { return m_pParentWnd; }
    CFrameWnd* GetParentFrame() const;

    // Descendant controls by id.
    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, LPCWSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    // Leading blanks, an optional minus sign (signed mode) and decimal digits,
    // trailing blanks allowed; anything else or a number out of range gives 0
    // with *lpTrans FALSE.
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;

    // Delivers a notification this control sends: reflected to the
    // control's own map first (ON_NOTIFY_REFLECT), then to its parent's
    // ON_NOTIFY entries. Fills hwndFrom and idFrom; returns the handler's
    // *pResult.
    LRESULT SendNotify(NMHDR* pNMHDR);

    // Through the framework's message-box wrapper, owned by this window.
    int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = nullptr, UINT nType = MB_OK);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification from a child control: ON_NOTIFY entries of this map.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification this control sent: its ON_NOTIFY_REFLECT entries.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void OnClose();
    virtual void PostNcDestroy();
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();

    // Builds the widget for a window being created; the default makes a
    // plain widget (a top-level window when cs has no parent).
    virtual HWND CreateWidget(CREATESTRUCT& cs);
    // Events of the attached widget; TRUE consumes the event.
    virtual BOOL OnWidgetEvent(QEvent* pEvent);

    // Creating/ending plumbing for derived framework windows.
    void SetOwnStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void SetParentWnd(CWnd* pParent) { m_pParentWnd = pParent; }
    // Attaches a widget that this object owns (deleted with it).
    void AttachOwned(HWND hWnd);

private:
    friend class AfxWindowLink;
    friend class CDialog;
    friend class CFrameWnd;

    void DispatchDestroy();

    AfxWindowLink* m_pLink = nullptr;
    DeletionWatch* m_pWatch = nullptr;
    CWnd* m_pParentWnd = nullptr;
    DWORD m_dwStyle = 0;
    UINT m_nID = 0;
    BOOL m_bOwnsWidget = FALSE;
    BOOL m_bDestroying = FALSE;

    DECLARE_MESSAGE_MAP()
};
