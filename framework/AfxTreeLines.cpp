#include "framework/AfxTreeLines.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QRect>

namespace {

// Half the size of the expand button the lines stop short of, plus one.
constexpr int kButtonGap = 5;

bool HasNextSibling(const QModelIndex& index) {
    return index.row() + 1 < index.model()->rowCount(index.parent());
}

}  // namespace

void AfxDrawTreeLines(QPainter& painter, const QRect& branches, const QModelIndex& index,
                      int indentation, const QColor& color) {
    if (!index.isValid() || indentation <= 0 || branches.width() < indentation) return;
    // Every other pixel, the pattern fixed to the view, so lines of
    // neighbouring rows run on without a seam.
    const QBrush dots(color, Qt::Dense4Pattern);
    const int top = branches.top();
    const int middle = top + branches.height() / 2;
    const int height = branches.height();

    // The item's own column: up to the item above (its previous sibling or
    // its parent), across to the item, and down to its next sibling.
    int left = branches.right() + 1 - indentation;
    int centre = left + indentation / 2;
    const int gap = index.model()->hasChildren(index) ? kButtonGap : 0;
    const bool firstOfAll = !index.parent().isValid() && index.row() == 0;
    if (!firstOfAll) painter.fillRect(centre, top, 1, middle - gap - top, dots);
    if (HasNextSibling(index))
        painter.fillRect(centre, middle + gap, 1, top + height - middle - gap, dots);
    painter.fillRect(centre + gap, middle, left + indentation - centre - gap, 1, dots);

    // Each ancestor's column, leftwards: straight through while the
    // ancestor has siblings below. A tree without lines at the root shows no
    // column for the top level, so the columns end first.
    QModelIndex ancestor = index.parent();
    for (left -= indentation; ancestor.isValid() && left >= branches.left(); left -= indentation) {
        if (HasNextSibling(ancestor))
            painter.fillRect(left + indentation / 2, top, 1, height, dots);
        ancestor = ancestor.parent();
    }
}

QColor AfxTreeLineColor(const QPalette& palette, bool selected) {
    const QColor ink = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor paper = palette.color(selected ? QPalette::Highlight : QPalette::Base);
    return QColor((ink.red() + paper.red()) / 2, (ink.green() + paper.green()) / 2,
                  (ink.blue() + paper.blue()) / 2);
}
