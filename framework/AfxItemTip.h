#pragma once
// Tool tips for the items of the tree and list controls: an item whose text
// its view cuts off, at the edge of its column or of the view, shows the
// whole text where the pointer rests, as the platform's label tips do.

class QAbstractItemView;
class QHelpEvent;
class QModelIndex;
class QString;
class QStyleOptionViewItem;

// Whether the item's cell in sight is narrower than the item needs;
// option is the view's item option.
bool AfxIsItemCutOff(const QAbstractItemView& view, const QStyleOptionViewItem& option,
                     const QModelIndex& index);

// Shows text as the item's tip for the tool-tip event, until the pointer
// leaves the item, in lines no wider than two thirds of the screen; an
// empty text hides the tip instead.
void AfxShowItemTip(const QAbstractItemView& view, const QHelpEvent& event,
                    const QModelIndex& index, const QString& text);
