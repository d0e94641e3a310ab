#pragma once
// The tree control's lines (TVS_HASLINES) as the platform draws them:
// dotted lines, every other pixel, in the indentation left of each item,
// joining the item to its parent and to its siblings above and below, and
// running on past an ancestor whose later siblings are still to come. They
// stop short of an item's expand button, which the style draws. Their
// colour lies halfway between the text and its background, so they read as
// light lines on light and on dark palettes alike.

class QColor;
class QModelIndex;
class QPainter;
class QPalette;
class QRect;

// Paints the lines of index's row into branches, the row's indentation:
// one column of width indentation per level shown, the item's own column
// at the right end (the top level has a column only with TVS_LINESATROOT).
void AfxDrawTreeLines(QPainter& painter, const QRect& branches, const QModelIndex& index,
                      int indentation, const QColor& color);

// The line colour for a row's background: base, or highlight when selected.
QColor AfxTreeLineColor(const QPalette& palette, bool selected);
