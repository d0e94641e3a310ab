#pragma once
// The one GUI fixture: the whole program (application object, frame,
// document and both views) built once per test suite on a fresh temporary
// registry, driven as a person does and read back through the controls.
// Every message box fails the test unless the test answers it itself.

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/CDialog.h"
#include "framework/types.h"
#include "registry/registry.h"

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

// A message box as the program asked for it.
struct Box {
    const CWnd* owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
    friend bool operator==(const Box&, const Box&) = default;
};
void PrintTo(const Box& box, std::ostream* os);

bool KeyExists(HKEY root, std::u16string_view path);

class GuiTest : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // What a person does in a dialog.
    static void TypeInto(CDialog& dlg, int id, const QString& text);  // '\n' presses Enter
    static void PressButton(CDialog& dlg, int id);
    static QString FieldText(const CDialog& dlg, int id);
    static bool IsFieldReadOnly(const CDialog& dlg, int id);
    // The binary editor's bytes, and editing one of them in place.
    static std::vector<QString> ByteLabels(const CDialog& dlg);
    static void EditByte(CDialog& dlg, int item, const QString& text);

protected:
    // A fresh registry from the fixture text (or the given .reg text) and the
    // program started on it; resources must be registered first.
    static void BuildProgram();
    static void BuildProgram(std::string_view regText);

    void SetUp() override;
    void TearDown() override;

    // Runs sql on the registry file through a connection of its own, as
    // another program (or damage) would change it behind the program's back.
    static void ChangeRegistryFile(const std::string& sql);
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
    // Taps a tool button, asserting first that it is enabled.
    void TapToolButton(UINT id);
    // Presses and releases a key where the keyboard focus is (Key_Alt: Alt alone).
    static void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Types into the row-name editor that the Rename command opened and
    // confirms with Enter.
    void TypeRowName(const QString& text);

    // Answers every message box with answer (IDOK or IDCANCEL) and keeps it
    // in Boxes().
    void AnswerMessageBoxes(int answer);
    const std::vector<Box>& Boxes() const { return boxes_; }

    // The dialogs opened from now on go to person, which acts on the live
    // dialog and ends it; a dialog of another class, or one left open, fails
    // the test and is cancelled. Without this, any dialog fails the test.
    template <class D>
    void DriveDialogs(std::function<void(D&)> person) {
        dialogsOpened_ = 0;
        AfxSetModalDialogDriver([this, person](CDialog& dlg) -> INT_PTR {
            ++dialogsOpened_;
            if (auto* typed = dynamic_cast<D*>(&dlg))
                person(*typed);
            else
                ADD_FAILURE() << "unexpected dialog " << dlg.GetRuntimeClass()->m_lpszClassName;
            return IDCANCEL;
        });
    }
    int DialogsOpened() const { return dialogsOpened_; }

    // What the controls show.
    static HTREEITEM FindKey(std::u16string_view path);
    static std::vector<std::u16string> ChildLabels(HTREEITEM item);
    static std::vector<Row> Rows();
    static int SelectedRow();
    // The row showing that name, -1 when none.
    static int RowOf(std::u16string_view name);
    static bool IsRowFullyVisible(int row);
    // The tool tip shown where the pointer rests on the key's label (its
    // parents opened first), without the tip's line breaks; empty for none.
    static QString TipOfKey(std::u16string_view path);
    // The same for a cell of the values list.
    static QString TipOfCell(int row, int column);
    // After the update pass: the state of the command's menu item.
    static bool IsCommandEnabled(UINT id);
    static QAction* MenuAction(UINT id);
    static QToolButton* ToolButton(UINT id);
    static QWidget* FocusWidget();

private:
    static std::unique_ptr<TemporaryRegistry> registry_;
    std::vector<Box> boxes_;
    int dialogsOpened_ = 0;
};

}  // namespace brackwell::testing
