#include "framework/AfxMenuBarStyle.h"

#include <QStyleOptionMenuItem>
#include <QWidget>

void AfxMenuBarStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuBarItem || !item || !widget || !widget->hasFocus() ||
        !(item->state & State_Selected)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionMenuItem current(*item);
    current.state |= State_Sunken;
    QProxyStyle::drawControl(element, &current, painter, widget);
}
