#pragma once
// Runs the application's idle pass (the command-update pass) once the event
// loop is idle again after user input, so menus and tool buttons always
// match the program's state.

#include <QObject>

class AfxIdleHook : public QObject {
public:
    // Installs the hook on the application once.
    static void Install();
    // Requests one idle pass from the event loop.
    static void Request();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AfxIdleHook();
    void Schedule();

    bool m_bPending = false;
};
