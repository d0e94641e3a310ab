#pragma once
// The one GUI fixture: the whole program (application object, frame,
// document and both views) built once per test suite on a fresh temporary
// registry, driven as a person does and read back through the controls.
// Every message box fails the test unless the test answers it itself.

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/types.h"

class CBrackwellDoc;
class CBrackwellView;
class CDetailsView;
class CListCtrl;
class CMainFrame;
class CTreeCtrl;
class QAction;
class QToolButton;
class QWidget;

namespace brackwell::testing {

class TemporaryRegistry;

// Keys and values of every kind the GUI tests look at.
extern const std::string_view kFixtureRegistry;

struct Row {
    std::u16string name;
    std::u16string data;
    int image;
    friend bool operator==(const Row&, const Row&) = default;
};
void PrintTo(const Row& row, std::ostream* os);

class GuiTest : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    // A fresh registry from the fixture text and the program started on it;
    // resources must be registered first.
    static void BuildProgram();

    void SetUp() override;
    void TearDown() override;

    static CMainFrame& Frame();
    static CBrackwellDoc& Doc();
    static CDetailsView& ValuesView();
    static CBrackwellView& KeysView();
    static CListCtrl& List();
    static CTreeCtrl& Tree();

    // What a person does.
    // Taps the label of the key at "ROOT\\name\\name", opening its parents first.
    void TapKey(std::u16string_view path);
    void TapRow(int row);
    void DoubleTapRow(int row);
    void TapBelowRows();
    // Edits the name of a row in place and confirms with Enter, or cancels with Escape.
    void EditRowName(int row, const QString& text);
    void CancelRowNameEdit(int row, const QString& text);
    // Runs a command from the menu, asserting first that it is enabled.
    void RunCommand(UINT id);

    // What the controls show.
    static HTREEITEM FindKey(std::u16string_view path);
    static std::vector<std::u16string> ChildLabels(HTREEITEM item);
    static std::vector<Row> Rows();
    static int SelectedRow();
    // The row showing that name, -1 when none.
    static int RowOf(std::u16string_view name);
    static bool IsRowFullyVisible(int row);
    // After the update pass: the state of the command's menu item.
    static bool IsCommandEnabled(UINT id);
    static QAction* MenuAction(UINT id);
    static QToolButton* ToolButton(UINT id);
    static QWidget* FocusWidget();

private:
    static std::unique_ptr<TemporaryRegistry> registry_;
};

}  // namespace brackwell::testing
