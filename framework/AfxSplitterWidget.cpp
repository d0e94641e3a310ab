#include "framework/AfxSplitterWidget.h"

#include <QResizeEvent>

AfxSplitterWidget::AfxSplitterWidget(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent) {
    setChildrenCollapsible(false);
}

void AfxSplitterWidget::SetInitialSize(int index, int size) {
    while (m_initialSizes.size() <= index) m_initialSizes.append(0);
    m_initialSizes[index] = size;
    for (int i = 0; i < count(); ++i) setStretchFactor(i, i == count() - 1 ? 1 : 0);
    m_bApplied = false;
}

void AfxSplitterWidget::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    const int total = orientation() == Qt::Vertical ? event->size().height() : event->size().width();
    if (m_bApplied || total <= 0 || m_initialSizes.size() != count()) return;
    m_bApplied = true;
    QList<int> sizes = m_initialSizes;
    int used = 0;
    for (int i = 0; i + 1 < sizes.size(); ++i) used += sizes[i] + handleWidth();
    sizes.back() = std::max(1, total - used);
    setSizes(sizes);
}
