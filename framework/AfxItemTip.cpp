#include "framework/AfxItemTip.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QScreen>
#include <QStyleOptionViewItem>
#include <QToolTip>

namespace {

// A tip is one line as long as it fits two thirds of the screen. Longer text
// is broken into lines of that width, after a backslash or a blank where one
// is on the line, else anywhere, so the end of a long path or value stays in
// sight.
QString Wrapped(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    QString wrapped;
    QString line;
    int width = 0;
    for (const QChar ch : text) {
        line += ch;
        width += metrics.horizontalAdvance(ch);
        if (width <= maxWidth || line.size() == 1) continue;
        qsizetype cut = line.size() - 1;
        for (qsizetype i = line.size() - 2; i > 0; --i)
            if (line[i] == u'\\' || line[i] == u' ') {
                cut = i + 1;
                break;
            }
        wrapped += line.left(cut) + u'\n';
        line.remove(0, cut);
        width = metrics.horizontalAdvance(line);
    }
    return wrapped + line;
}

}  // namespace

bool AfxIsItemCutOff(const QAbstractItemView& view, const QStyleOptionViewItem& option,
                     const QModelIndex& index) {
    const QRect cell = view.visualRect(index);
    const QRect shown = cell.intersected(view.viewport()->rect());
    QStyleOptionViewItem itemOption(option);
    itemOption.rect = cell;
    const int needed = view.itemDelegateForIndex(index)->sizeHint(itemOption, index).width();
    return needed > shown.width();
}

void AfxShowItemTip(const QAbstractItemView& view, const QHelpEvent& event,
                    const QModelIndex& index, const QString& text) {
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    const QScreen* screen = view.screen();
    const int maxWidth = screen ? screen->availableGeometry().width() * 2 / 3 : 480;
    QToolTip::showText(event.globalPos(), Wrapped(text, QFontMetrics(QToolTip::font()), maxWidth),
                       view.viewport(), view.visualRect(index));
}
