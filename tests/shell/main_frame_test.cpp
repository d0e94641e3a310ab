// The main window as it opens: layout, panes, focus, menu, tool buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "document/CBrackwellDoc.h"
#include "framework/AfxResources.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "resources/resources.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"
#include "shell/CMainFrame.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

class MainFrameTest : public GuiTest {};

QRect InFrame(const CWnd& wnd) {
    QWidget* widget = wnd.GetSafeHwnd();
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

TEST_F(MainFrameTest, PortraitWindowWithBarOnTopValuesAboveKeys) {
    QWidget* window = Frame().GetSafeHwnd();
    EXPECT_EQ(QStringLiteral("Brackwell"), window->windowTitle());
    EXPECT_TRUE(window->isVisible());
    EXPECT_LT(window->width(), window->height());

    const QRect bar = InFrame(*Frame().GetDlgItem(AFX_IDW_TOOLBAR));
    const QRect values = InFrame(ValuesView());
    const QRect keys = InFrame(KeysView());
    EXPECT_EQ(0, bar.top());
    EXPECT_LE(bar.bottom(), values.top());
    EXPECT_LT(values.bottom(), keys.top());
    EXPECT_EQ(100, values.height());
    EXPECT_GT(keys.height(), values.height());
}

TEST_F(MainFrameTest, ValuesListIsFirstViewDespiteTemplateNamingTheTree) {
    POSITION pos = Doc().GetFirstViewPosition();
    EXPECT_STREQ("CDetailsView", Doc().GetNextView(pos)->GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("CBrackwellView", Doc().GetNextView(pos)->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(nullptr, pos);
    EXPECT_STREQ("CMainFrame", Frame().GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("CBrackwellDoc", Doc().GetRuntimeClass()->m_lpszClassName);
}

TEST_F(MainFrameTest, KeyTreeHasFocusUntilAnotherPaneIsActivated) {
    EXPECT_EQ(KeysView().GetSafeHwnd(), FocusWidget());
    EXPECT_EQ(&KeysView(), Frame().GetActiveView());

    Frame().ActivateValuesPane();
    EXPECT_EQ(ValuesView().GetSafeHwnd(), FocusWidget());
    EXPECT_EQ(&ValuesView(), Frame().GetActiveView());

    Frame().ActivateKeysPane();
    EXPECT_EQ(KeysView().GetSafeHwnd(), FocusWidget());
    EXPECT_EQ(&KeysView(), Frame().GetActiveView());
}

TEST_F(MainFrameTest, ValuesListHasNameAndDataColumns) {
    auto* header = ValuesView().GetSafeHwnd()->findChild<QHeaderView*>();
    ASSERT_NE(nullptr, header);
    auto* model = header->model();
    EXPECT_EQ(QStringLiteral("Name"), model->headerData(0, Qt::Horizontal).toString());
    EXPECT_EQ(QStringLiteral("Data"), model->headerData(1, Qt::Horizontal).toString());
    EXPECT_EQ(100, header->sectionSize(0));
    EXPECT_EQ(120, header->sectionSize(1));
}

struct CommandCase {
    const char* name;
    UINT id;
    bool enabled;
};

class MenuCommandTest : public GuiTest, public ::testing::WithParamInterface<CommandCase> {};

// At start-up the first root is the selected key and no value is selected.
TEST_P(MenuCommandTest, EnabledAsTheSelectionAllows) {
    EXPECT_EQ(GetParam().enabled, IsCommandEnabled(GetParam().id));
}

INSTANTIATE_TEST_SUITE_P(
    AtStartUp, MenuCommandTest,
    ::testing::Values(CommandCase{"Exit", ID_APP_EXIT, true},
                      CommandCase{"NewKey", ID_EDIT_NEW_KEY, true},
                      CommandCase{"NewNumber", ID_EDIT_NEW_NUMBER, true},
                      CommandCase{"NewString", ID_EDIT_NEW_STRING, true},
                      CommandCase{"NewMultiString", ID_EDIT_NEW_MULTISTRING, true},
                      CommandCase{"NewBinary", ID_EDIT_NEW_BINARY, true},
                      CommandCase{"Modify", ID_EDIT_MODIFY, false},
                      CommandCase{"Rename", ID_EDIT_RENAME, false},
                      CommandCase{"Delete", ID_EDIT_DELETE, true},
                      CommandCase{"Find", ID_EDIT_FIND, true},
                      CommandCase{"FindNext", ID_EDIT_FIND_NEXT, false},
                      CommandCase{"Refresh", ID_VIEW_REFRESH, true},
                      CommandCase{"About", ID_APP_ABOUT, true}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST_F(MainFrameTest, MenuBarHoldsTheFourMenus) {
    auto* menuBar = Frame().GetSafeHwnd()->findChild<QMenuBar*>();
    ASSERT_NE(nullptr, menuBar);
    QStringList titles;
    for (QAction* action : menuBar->actions()) titles << action->text();
    EXPECT_EQ((QStringList{"File", "Edit", "View", "Help"}), titles);
    EXPECT_EQ(QStringLiteral("Exit"), MenuAction(ID_APP_EXIT)->text());
    EXPECT_EQ(QStringLiteral("About Brackwell..."), MenuAction(ID_APP_ABOUT)->text());
}

TEST_F(MainFrameTest, FourToolButtonsWithTheirTips) {
    const struct {
        UINT id;
        const char* tip;
        bool enabled;
    } buttons[] = {{ID_EDIT_MODIFY, "Modify", false},
                   {ID_EDIT_DELETE, "Delete", true},
                   {ID_EDIT_FIND, "Find", true},
                   {ID_EDIT_FIND_NEXT, "Find Next", false}};
    Frame().OnIdleUpdateCmdUI();
    int left = -1;
    for (const auto& button : buttons) {
        QToolButton* tool = ToolButton(button.id);
        ASSERT_NE(nullptr, tool) << button.tip;
        EXPECT_EQ(QString::fromUtf8(button.tip), tool->toolTip());
        EXPECT_EQ(button.enabled, tool->isEnabled()) << button.tip;
        EXPECT_LT(left, tool->x()) << "out of order: " << button.tip;
        left = tool->x();
    }
}

// Exit closes the window for good, so it gets a program of its own.
class ExitTest : public GuiTest {};

TEST_F(ExitTest, ExitClosesTheMainWindow) {
    RunCommand(ID_APP_EXIT);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

// The first tip is loaded through a 256-character buffer of which 255 are
// offered, so a longer text arrives cut to 254 characters.
class LongToolTipTest : public GuiTest {
public:
    static void SetUpTestSuite() {
        resources::Register();
        static const std::u16string longTip(300, u'x');
        AfxResources::AddString(IDS_TIP_MODIFY, longTip.c_str());
        BuildProgram();
    }
};

TEST_F(LongToolTipTest, FirstTipCutTo254Characters) {
    EXPECT_EQ(QString(254, u'x'), ToolButton(ID_EDIT_MODIFY)->toolTip());
}

}  // namespace
}  // namespace brackwell::testing
