#include "framework/AfxWindowLink.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

#include "framework/CWnd.h"

namespace {

std::unordered_map<const QWidget*, AfxWindowLink*>& Links() {
    static std::unordered_map<const QWidget*, AfxWindowLink*> links;
    return links;
}

}  // namespace

AfxWindowLink::AfxWindowLink(QWidget* widget, CWnd* primary)
    : QObject(widget), m_pWidget(widget), m_pPrimary(primary) {
    Links()[widget] = this;
    widget->installEventFilter(this);
}

AfxWindowLink::~AfxWindowLink() {
    Links().erase(m_pWidget);
    if (m_pPrimary) {
        m_pPrimary->m_hWnd = nullptr;
        m_pPrimary->m_pLink = nullptr;
    }
    for (CWnd* alias : m_aliases) {
        alias->m_hWnd = nullptr;
        alias->m_pLink = nullptr;
    }
}

AfxWindowLink* AfxWindowLink::Of(const QWidget* widget) {
    const auto it = Links().find(widget);
    return it == Links().end() ? nullptr : it->second;
}

void AfxWindowLink::AddAlias(CWnd* wnd) { m_aliases.push_back(wnd); }

void AfxWindowLink::Release(CWnd* wnd) {
    if (m_pPrimary == wnd) m_pPrimary = nullptr;
    m_aliases.erase(std::remove(m_aliases.begin(), m_aliases.end(), wnd), m_aliases.end());
}

bool AfxWindowLink::eventFilter(QObject* watched, QEvent* event) {
    if (m_bMuted || watched != m_pWidget || !m_pPrimary) return false;
    return m_pPrimary->OnWidgetEvent(event);
}
