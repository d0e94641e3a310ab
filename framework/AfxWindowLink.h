#pragma once
// Joins a widget to the CWnd objects attached to it: the primary object,
// which receives the widget's events, and aliases (control wrappers that
// share the widget). Lives as a child of the widget, so when the widget is
// deleted every attached object forgets it.

#include <QObject>
#include <vector>

#include "framework/types.h"

class CWnd;

class AfxWindowLink : public QObject {
public:
    AfxWindowLink(QWidget* widget, CWnd* primary);
    ~AfxWindowLink() override;

    static AfxWindowLink* Of(const QWidget* widget);

    CWnd* Primary() const { return m_pPrimary; }
    void AddAlias(CWnd* wnd);
    // wnd no longer refers to the widget.
    void Release(CWnd* wnd);
    // Stops delivering events; used while the widget is being destroyed.
    void Mute() { m_bMuted = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_pWidget;
    CWnd* m_pPrimary;
    std::vector<CWnd*> m_aliases;
    bool m_bMuted = false;
};
