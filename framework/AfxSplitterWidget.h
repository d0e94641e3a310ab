#pragma once
// The widget behind CSplitterWnd. Panes get their initial sizes once the
// splitter has a real size (sizes given earlier would be scaled down);
// afterwards the earlier panes keep their size and the last takes the rest.

#include <QSplitter>

class AfxSplitterWidget : public QSplitter {
public:
    AfxSplitterWidget(Qt::Orientation orientation, QWidget* parent);

    void SetInitialSize(int index, int size);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QList<int> m_initialSizes;
    bool m_bApplied = false;
};
