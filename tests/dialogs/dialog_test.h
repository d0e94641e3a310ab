#pragma once
// Dialogs run through the modal driver: the test acts on the live,
// initialised dialog as a person does (types, taps, presses OK or Cancel)
// and then reads what the caller would read.

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <vector>

#include "framework/types.h"

class CDialog;
class CListCtrl;
class QWidget;

namespace brackwell::testing {

class DialogTest : public ::testing::Test {
public:
    // A Qt application and the program's resources, once per program.
    static void SetUpTestSuite();

protected:
    void TearDown() override;
};

// Runs dlg modally with person acting on it; returns DoModal's result, or 0
// when the person left the dialog open.
INT_PTR RunDialog(CDialog& dlg, const std::function<void(CDialog&)>& person);

QWidget* Control(const CDialog& dlg, int id);
QString Text(const CDialog& dlg, int id);
bool IsReadOnly(const CDialog& dlg, int id);
bool IsChecked(const CDialog& dlg, int id);
// The control the dialog's focus is on (or goes to once it is active).
int FocusedId(const CDialog& dlg);

// Replaces the text of an edit field by typing; '\n' presses Enter.
void Type(CDialog& dlg, int id, const QString& text);
// Clicks a button or check box with the mouse.
void Tap(CDialog& dlg, int id);
void PressOk(CDialog& dlg);
void PressCancel(CDialog& dlg);

// The binary editor's byte list.
CListCtrl& ByteList(const CDialog& dlg);
std::vector<QString> ByteLabels(const CDialog& dlg);
int SelectedByte(const CDialog& dlg);
void TapByte(CDialog& dlg, int item);
void TapBesideBytes(CDialog& dlg);
// Edits a byte's label in place and confirms with Enter (or cancels with
// Escape).
void EditByteLabel(CDialog& dlg, int item, const QString& text, bool confirm = true);

}  // namespace brackwell::testing
