// Builds a whole frame through the application object, the single-document
// template and the splitter, as the program does, and checks start-up,
// command routing and the update pass.

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "resources/resources.h"
#include "tests/framework/TestSupport.h"

namespace {

std::vector<std::string> g_initialUpdates;
int g_waitCountDuringTreeUpdate = 0;

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)
};
IMPLEMENT_DYNCREATE(TestDoc, CDocument)

class TestListView : public CListView {
    DECLARE_DYNCREATE(TestListView)
public:
    BOOL Create(LPCWSTR cls, LPCWSTR name, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CCreateContext* context) override {
        return CListView::Create(cls, name, style | LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS, rect, parent, id,
                                 context);
    }
    void OnInitialUpdate() override {
        CListView::OnInitialUpdate();
        g_initialUpdates.push_back("list");
    }
};
IMPLEMENT_DYNCREATE(TestListView, CListView)

class TestTreeView : public CTreeView {
    DECLARE_DYNCREATE(TestTreeView)
public:
    void OnInitialUpdate() override {
        CTreeView::OnInitialUpdate();
        g_initialUpdates.push_back("tree");
        BeginWaitCursor();
        g_waitCountDuringTreeUpdate = AfxGetApp()->GetWaitCursorCount();
        GetTreeCtrl().InsertItem(u"HKEY_CLASSES_ROOT");
        EndWaitCursor();
    }
};
IMPLEMENT_DYNCREATE(TestTreeView, CTreeView)

class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)
public:
    CSplitterWnd m_wndSplitter;
    CCeCommandBar m_wndCommandBar;
    BOOL m_bModifyEnabled = FALSE;
    int m_nModify = 0;
    int m_nFind = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
        m_wndCommandBar.m_bShowSharedNewButton = FALSE;
        static WCHAR tip[256];
        ::LoadString(AfxGetInstanceHandle(), IDS_TIP_MODIFY, tip, 255);
        static LPWSTR tips[] = {tip, const_cast<LPWSTR>(u"Delete"), const_cast<LPWSTR>(u"Find"),
                                const_cast<LPWSTR>(u"Find Next")};
        if (m_wndCommandBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
                                   AFX_IDW_TOOLBAR) &&
            m_wndCommandBar.InsertMenuBar(IDR_MAINFRAME, 0xFFFF))
            m_wndCommandBar.AddAdornments();
        if (!m_wndCommandBar.LoadToolBar(IDR_MAINFRAME)) return -1;
        if (!m_wndCommandBar.SendMessage(TB_SETTOOLTIPS, 4, reinterpret_cast<LPARAM>(tips))) return -1;
        m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);
        return 0;
    }
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
        if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST)) return FALSE;
        if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(TestListView), CSize(100, 100), pContext)) return FALSE;
        if (!m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(TestTreeView), CSize(100, 100), pContext)) return FALSE;
        m_wndSplitter.SetActivePane(1, 0);
        return TRUE;
    }
    void OnModify() { ++m_nModify; }
    void OnUpdateModify(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bModifyEnabled); }
    void OnFind() { ++m_nFind; }
    void OnRefresh() { m_bModifyEnabled = TRUE; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_EDIT_MODIFY, OnModify)
    ON_UPDATE_COMMAND_UI(ID_EDIT_MODIFY, OnUpdateModify)
    ON_COMMAND(ID_EDIT_FIND, OnFind)
    ON_COMMAND(ID_VIEW_REFRESH, OnRefresh)
END_MESSAGE_MAP()

class TestApp : public CWinApp {
public:
    int m_nAbout = 0;
    int m_nFind = 0;

    BOOL InitInstance() override {
        SetRegistryKey(u"Brackwell Framework Tests");
        LoadStdProfileSettings(4);
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame),
                                              RUNTIME_CLASS(TestTreeView)));
        CCommandLineInfo info;
        ParseCommandLine(info);
        if (!ProcessShellCommand(info)) return FALSE;
        m_pMainWnd->ShowWindow(SW_SHOW);
        m_pMainWnd->UpdateWindow();
        return TRUE;
    }

protected:
    void OnAbout() { ++m_nAbout; }
    void OnFind() { ++m_nFind; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
    ON_COMMAND(ID_EDIT_FIND, OnFind)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

TestApp theApp;

class FrameTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        EnsureQtApplication();
        brackwell::resources::Register();
        g_initialUpdates.clear();
        ASSERT_TRUE(AfxWinInitForTests());
    }
    static void TearDownTestSuite() {
        AfxWinTermForTests();
        EXPECT_EQ(AfxGetMainWnd(), nullptr);
    }

    TestFrame* Frame() const { return static_cast<TestFrame*>(AfxGetMainWnd()); }
    CDocument* Doc() const { return Frame()->GetActiveDocument(); }
    CView* View(int index) const {
        POSITION pos = Doc()->GetFirstViewPosition();
        CView* view = nullptr;
        for (int i = 0; i <= index; ++i) view = Doc()->GetNextView(pos);
        return view;
    }
    std::vector<QAction*> Actions(UINT id) const {
        std::vector<QAction*> found;
        for (QAction* action : Frame()->m_hWnd->findChildren<QAction*>(QString::number(id))) found.push_back(action);
        return found;
    }
    // Every menu item and tool button of the command shows enabled.
    bool Enabled(UINT id) const {
        const std::vector<QAction*> actions = Actions(id);
        return !actions.empty() &&
               std::all_of(actions.begin(), actions.end(), [](QAction* a) { return a->isEnabled(); });
    }
};

TEST_F(FrameTest, StartUpCreatesViewsInOrderAndUpdatesThemInOrder) {
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(View(0)->IsKindOf(RUNTIME_CLASS(TestListView)));
    EXPECT_TRUE(View(1)->IsKindOf(RUNTIME_CLASS(TestTreeView)));
    EXPECT_EQ(g_initialUpdates, (std::vector<std::string>{"list", "tree"}));
    EXPECT_EQ(g_waitCountDuringTreeUpdate, 1);
    EXPECT_EQ(theApp.GetWaitCursorCount(), 0);
    EXPECT_EQ(Frame()->GetActiveView(), View(1));
    EXPECT_EQ(Frame()->m_hWnd->windowTitle(), QStringLiteral("Brackwell"));
    EXPECT_EQ(Frame()->m_hWnd->size(), QSize(360, 480));
    EXPECT_EQ(View(1)->GetDocument(), Doc());
}

TEST_F(FrameTest, PanesStackListOverTreeAndFirstRowKeepsItsHeight) {
    Frame()->m_hWnd->resize(360, 600);
    Spin();
    const QRect list = View(0)->m_hWnd->geometry();
    const QRect tree = View(1)->m_hWnd->geometry();
    EXPECT_LT(list.top(), tree.top());
    EXPECT_EQ(list.height(), 100);
    EXPECT_GT(tree.height(), 300);
    Frame()->m_hWnd->resize(360, 480);
}

TEST_F(FrameTest, CommandsGoToFrameFirstThenApplication) {
    const int frameFinds = Frame()->m_nFind;
    Frame()->SendMessage(WM_COMMAND, ID_EDIT_FIND);
    EXPECT_EQ(Frame()->m_nFind, frameFinds + 1);
    EXPECT_EQ(theApp.m_nFind, 0);
    const int abouts = theApp.m_nAbout;
    Frame()->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    EXPECT_EQ(theApp.m_nAbout, abouts + 1);
}

TEST_F(FrameTest, UpdatePassAppliesRulesAndDisablesUnhandledCommands) {
    Frame()->m_bModifyEnabled = FALSE;
    Frame()->OnIdleUpdateCmdUI();
    EXPECT_EQ(Actions(ID_EDIT_MODIFY).size(), 2u);  // menu item and tool button
    EXPECT_FALSE(Enabled(ID_EDIT_MODIFY));
    EXPECT_FALSE(Enabled(ID_EDIT_RENAME));
    EXPECT_FALSE(Enabled(ID_EDIT_DELETE));
    EXPECT_TRUE(Enabled(ID_EDIT_FIND));
    EXPECT_TRUE(Enabled(ID_APP_ABOUT));
    EXPECT_TRUE(Enabled(ID_APP_EXIT));

    Frame()->SendMessage(WM_COMMAND, ID_EDIT_MODIFY);  // disabled: not run
    EXPECT_EQ(Frame()->m_nModify, 0);

    Frame()->m_bModifyEnabled = TRUE;
    QTest::keyClick(View(1)->m_hWnd, Qt::Key_Down);  // input, then idle
    Spin();
    EXPECT_TRUE(Enabled(ID_EDIT_MODIFY));
    Actions(ID_EDIT_MODIFY).front()->trigger();
    EXPECT_EQ(Frame()->m_nModify, 1);
}

// A command that opens a dialog runs the update pass its input asked for
// inside the dialog, before the command has changed anything.
TEST_F(FrameTest, CommandsRefreshTheEnableRulesWhenDone) {
    Frame()->m_bModifyEnabled = FALSE;
    Frame()->OnIdleUpdateCmdUI();
    ASSERT_FALSE(Enabled(ID_EDIT_MODIFY));
    Frame()->SendMessage(WM_COMMAND, ID_VIEW_REFRESH);  // enables Modify
    Spin();
    EXPECT_TRUE(Enabled(ID_EDIT_MODIFY));
    Frame()->m_bModifyEnabled = FALSE;
    Frame()->OnIdleUpdateCmdUI();
}

TEST_F(FrameTest, CommandBarHoldsMenuButtonsAndTips) {
    auto* menuBar = Frame()->m_hWnd->findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    QStringList titles;
    for (QAction* action : menuBar->actions()) titles << action->text();
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "View", "Help"}));

    std::vector<QToolButton*> buttons;
    for (QToolButton* b : Frame()->m_hWnd->findChildren<QToolButton*>())
        if (b->property("commandId").isValid()) buttons.push_back(b);
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0]->objectName(), QString::number(ID_EDIT_MODIFY));
    EXPECT_EQ(buttons[3]->objectName(), QString::number(ID_EDIT_FIND_NEXT));
    EXPECT_EQ(buttons[0]->toolTip(), QStringLiteral("Modify"));
    EXPECT_EQ(buttons[3]->toolTip(), QStringLiteral("Find Next"));
    // Menu bar and tool buttons share one row, above the panes.
    EXPECT_EQ(menuBar->parentWidget(), buttons[0]->parentWidget());
    const QRect bar = menuBar->parentWidget()->geometry();
    EXPECT_EQ(bar.top(), 0);
    EXPECT_LE(bar.bottom(), View(0)->m_hWnd->mapTo(Frame()->m_hWnd, QPoint()).y());
}

TEST_F(FrameTest, ToolTipsNeedATable) {
    EXPECT_EQ(Frame()->m_wndCommandBar.SendMessage(TB_SETTOOLTIPS, 4, 0), 0);
    EXPECT_EQ(Frame()->m_wndCommandBar.GetButtonCount(), 4);
}

TEST_F(FrameTest, NextPaneCommandCyclesActivePane) {
    ASSERT_EQ(Frame()->GetActiveView(), View(1));
    Frame()->SendMessage(WM_COMMAND, ID_NEXT_PANE);
    EXPECT_EQ(Frame()->GetActiveView(), View(0));
    Frame()->SendMessage(WM_COMMAND, ID_NEXT_PANE);
    EXPECT_EQ(Frame()->GetActiveView(), View(1));
    Frame()->SendMessage(WM_COMMAND, ID_PREV_PANE);
    EXPECT_EQ(Frame()->GetActiveView(), View(0));
    Frame()->m_wndSplitter.SetActivePane(1, 0);
}

TEST_F(FrameTest, FileNewAgainKeepsViewsAsTheyAre) {
    g_initialUpdates.clear();
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_TRUE(g_initialUpdates.empty());
}

TEST_F(FrameTest, WaitCursorNests) {
    theApp.BeginWaitCursor();
    theApp.BeginWaitCursor();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    theApp.EndWaitCursor();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    theApp.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    theApp.EndWaitCursor();  // unbalanced end is ignored
    EXPECT_EQ(theApp.GetWaitCursorCount(), 0);
}

TEST(LoadString, CopiesAtMostOneLessThanTheBuffer) {
    brackwell::resources::Register();
    WCHAR buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(::LoadString(AfxGetInstanceHandle(), IDS_TIP_MODIFY, buffer, 4), 3);
    EXPECT_EQ(std::u16string(buffer), u"Mod");
    EXPECT_EQ(::LoadString(AfxGetInstanceHandle(), 4711, buffer, 4), 0);
    EXPECT_EQ(buffer[0], u'\0');
}

}  // namespace
