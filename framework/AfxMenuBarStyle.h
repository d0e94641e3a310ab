#pragma once
// The command bar's menu bar style: the application's style, except that a
// menu bar holding the keyboard focus (reached with F10 or a lone Alt) marks
// its current title as an open menu's title is marked. Qt's Fusion style
// marks a title only while its menu is open, which would leave the person
// without a sign of where the arrows are.

#include <QProxyStyle>

class AfxMenuBarStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
