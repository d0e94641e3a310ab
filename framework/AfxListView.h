#pragma once
// The list control's view widget, over QTreeView (report mode) or QListView
// (icon mode): clicks become NM_CLICK / NM_DBLCLK and Enter NM_RETURN, a
// click on empty space clears the selection, in-place edits go through the
// core's label-edit protocol instead of writing the model, and a cell whose
// text the view cuts off shows it whole in a tool tip.

#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShowEvent>
#include <QStyleOptionViewItem>

#include "framework/AfxItemTip.h"
#include "framework/AfxListCore.h"

class AfxListViewAccess {
public:
    virtual ~AfxListViewAccess() = default;
    virtual AfxListCore* Core() const = 0;
};

template <typename Base>
class AfxListView : public Base, public AfxListViewAccess {
public:
    explicit AfxListView(QWidget* parent) : Base(parent) {}

    AfxListCore* Core() const override { return m_pCore; }
    void SetCore(AfxListCore* core) { m_pCore = core; }

protected:
    // Rows filled while the view was hidden are shown from the start.
    void showEvent(QShowEvent* event) override {
        m_pCore->Publish();
        Base::showEvent(event);
    }

    bool edit(const QModelIndex& index, QAbstractItemView::EditTrigger trigger, QEvent* event) override {
        if (!index.isValid() || index.column() != 0 || Base::state() == QAbstractItemView::EditingState ||
            !(index.flags() & Qt::ItemIsEditable))
            return Base::edit(index, trigger, event);
        if (trigger != QAbstractItemView::AllEditTriggers &&
            !(Base::editTriggers() & trigger))  // let the base refuse or delay as it does
            return Base::edit(index, trigger, event);
        if (trigger == QAbstractItemView::SelectedClicked)
            return Base::edit(index, trigger, event);  // starts the delayed edit
        if (!m_pCore->BeginEdit(index.row())) return false;
        if (Base::edit(index, trigger, event)) return true;
        m_pCore->EndEdit(false);
        return false;
    }

    void commitData(QWidget* editor) override {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) m_pCore->CommitEdit(line->text());
    }

    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        Base::closeEditor(editor, hint);
        m_pCore->EndEdit(hint != QAbstractItemDelegate::RevertModelCache);
    }

    // Enter on the list itself, not in a label being edited, is NM_RETURN;
    // the key then goes on as before, to a dialog's default button say.
    //
    // With nothing selected, a key that moves the selection selects a row:
    // Up or Down the row that has the focus (Qt gives the first row the
    // focus, unselected, when the list gets it from the keyboard; the first
    // Down would otherwise select the second row), Home or End its row.
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            Base::state() != QAbstractItemView::EditingState)
            m_pCore->Click(NM_RETURN, Base::currentIndex().row());
        QItemSelectionModel* selection = Base::selectionModel();
        const bool bMoves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home ||
                            key == Qt::Key_End || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
        const bool bNothingSelected = !selection->hasSelection();
        if (bMoves && bNothingSelected && Base::currentIndex().isValid() &&
            (key == Qt::Key_Up || key == Qt::Key_Down)) {
            SelectCurrent();
            return;
        }
        Base::keyPressEvent(event);
        if (bMoves && bNothingSelected && !selection->hasSelection()) SelectCurrent();
    }

    bool viewportEvent(QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return Base::viewportEvent(event);
        m_pCore->Publish();
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = Base::indexAt(help->pos());
        QStyleOptionViewItem option;
        Base::initViewItemOption(&option);
        const bool cutOff = index.isValid() && AfxIsItemCutOff(*this, option, index);
        AfxShowItemTip(*this, *help, index, cutOff ? index.data().toString() : QString());
        return true;
    }

    void mousePressEvent(QMouseEvent* event) override {
        // A double click's own release may never arrive here (a modal
        // dialog opened by NM_DBLCLK takes it), so a new press starts afresh.
        m_bAfterDoubleClick = false;
        Base::mousePressEvent(event);
        if (!Base::indexAt(event->position().toPoint()).isValid()) Base::clearSelection();
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        Base::mouseReleaseEvent(event);
        if (event->button() != Qt::LeftButton) return;
        if (m_bAfterDoubleClick) {
            m_bAfterDoubleClick = false;
            return;
        }
        m_pCore->Click(NM_CLICK, Base::indexAt(event->position().toPoint()).row());
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Base::mouseDoubleClickEvent(event);
        if (event->button() != Qt::LeftButton) return;
        m_bAfterDoubleClick = true;
        m_pCore->Click(NM_DBLCLK, Base::indexAt(event->position().toPoint()).row());
    }

private:
    void SelectCurrent() {
        const QModelIndex current = Base::currentIndex();
        if (current.isValid())
            Base::selectionModel()->setCurrentIndex(
                current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    AfxListCore* m_pCore = nullptr;
    bool m_bAfterDoubleClick = false;
};
