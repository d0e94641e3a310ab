#pragma once
// Base of everything that receives commands and notifications through a
// message map.
//
// A class declares its map with DECLARE_MESSAGE_MAP() and defines it in its
// source file:
//
//   BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
//       ON_WM_CREATE()
//       ON_COMMAND(ID_EDIT_MODIFY, OnEditModify)
//       ON_UPDATE_COMMAND_UI(ID_EDIT_MODIFY, OnUpdateEditModify)
//   END_MESSAGE_MAP()
//
// Handlers are named without class qualification (OnEditModify); a base
// class's handler may be named qualified (CWinApp::OnFileNew). Each entry is
// a call compiled against the class, so a wrong signature fails to compile.
// Handler signatures:
//   ON_COMMAND / ON_BN_CLICKED        void OnX();
//   ON_UPDATE_COMMAND_UI              void OnUpdateX(CCmdUI* pCmdUI);
//   ON_NOTIFY / ON_NOTIFY_REFLECT     void OnX(NMHDR* pNMHDR, LRESULT* pResult);
//   ON_WM_CREATE                      int OnCreate(LPCREATESTRUCT lpCreateStruct);
//   ON_WM_DESTROY                     void OnDestroy();
// The maps of a class and its bases are searched from the most derived one.

#include "framework/CObject.h"

class CCmdTarget;
class CCmdUI;

enum class AfxSig : UINT { End, Command, UpdateCommandUI, Notify, NotifyReflect, Create, Destroy };

struct AFX_MSGPARAMS {
    NMHDR* pNMHDR = nullptr;
    LRESULT* pResult = nullptr;
    CCmdUI* pCmdUI = nullptr;
    LPCREATESTRUCT lpCreateStruct = nullptr;
};

using AFX_PMSG = LRESULT (*)(CCmdTarget* pTarget, AFX_MSGPARAMS& params);

struct AFX_MSGMAP_ENTRY {
    AfxSig nSig;
    UINT nCode;
    UINT nID;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled instead of calling the handler, to ask whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        using ThisClass [[maybe_unused]] = theClass;                                   \
        using TheBaseClass = baseClass;                                                \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {
#define END_MESSAGE_MAP()                                                              \
            {AfxSig::End, 0, 0, nullptr}};                                             \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,        \
                                              &messageEntries[0]};                     \
        return &messageMap;                                                            \
    }

#define ON_COMMAND(id, memberFxn)                                          \
    {AfxSig::Command, 0, UINT(id), [](CCmdTarget* p, AFX_MSGPARAMS&) -> LRESULT { \
         static_cast<ThisClass*>(p)->memberFxn();                          \
         return 0;                                                         \
     }},

#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)

#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                        \
    {AfxSig::UpdateCommandUI, 0, UINT(id),                                         \
     [](CCmdTarget* p, AFX_MSGPARAMS& m) -> LRESULT {                             \
         static_cast<ThisClass*>(p)->memberFxn(m.pCmdUI);                          \
         return 0;                                                                 \
     }},

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                      \
    {AfxSig::Notify, UINT(wNotifyCode), UINT(id),                                  \
     [](CCmdTarget* p, AFX_MSGPARAMS& m) -> LRESULT {                             \
         static_cast<ThisClass*>(p)->memberFxn(m.pNMHDR, m.pResult);               \
         return 0;                                                                 \
     }},

#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                  \
    {AfxSig::NotifyReflect, UINT(wNotifyCode), 0,                                  \
     [](CCmdTarget* p, AFX_MSGPARAMS& m) -> LRESULT {                             \
         static_cast<ThisClass*>(p)->memberFxn(m.pNMHDR, m.pResult);               \
         return 0;                                                                 \
     }},

#define ON_WM_CREATE()                                                             \
    {AfxSig::Create, 0, 0, [](CCmdTarget* p, AFX_MSGPARAMS& m) -> LRESULT {        \
         return static_cast<ThisClass*>(p)->OnCreate(m.lpCreateStruct);            \
     }},

#define ON_WM_DESTROY()                                                            \
    {AfxSig::Destroy, 0, 0, [](CCmdTarget* p, AFX_MSGPARAMS&) -> LRESULT {         \
         static_cast<ThisClass*>(p)->OnDestroy();                                  \
         return 0;                                                                 \
     }},

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command (nCode CN_COMMAND or BN_CLICKED, pExtra unused) or an
    // update request (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI*) to this
    // object's map. With pHandlerInfo set, only reports whether a handler
    // exists. TRUE when handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The application's wait cursor; calls nest.
    void BeginWaitCursor();
    void EndWaitCursor();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry of this object's maps with that signature, code and id.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(AfxSig nSig, UINT nCode, UINT nID) const;
};
