#include "framework/AfxIdleHook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include "framework/CWinApp.h"

namespace {

AfxIdleHook* g_pHook = nullptr;

}  // namespace

AfxIdleHook::AfxIdleHook() : QObject(QCoreApplication::instance()) {}

void AfxIdleHook::Install() {
    if (g_pHook || !QCoreApplication::instance()) return;
    g_pHook = new AfxIdleHook;
    QCoreApplication::instance()->installEventFilter(g_pHook);
    QObject::connect(g_pHook, &QObject::destroyed, [] { g_pHook = nullptr; });
}

void AfxIdleHook::Request() {
    if (g_pHook) g_pHook->Schedule();
}

void AfxIdleHook::Schedule() {
    if (m_bPending) return;
    m_bPending = true;
    QTimer::singleShot(0, this, [this] {
        m_bPending = false;
        if (CWinApp* app = AfxGetApp()) app->OnIdle(0);
    });
}

bool AfxIdleHook::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::TouchEnd: Schedule(); break;
        default: break;
    }
    return false;
}
