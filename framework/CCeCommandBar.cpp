#include "framework/CCeCommandBar.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QShortcut>
#include <QToolButton>
#include <vector>

#include "framework/AfxMenuBarStyle.h"
#include "framework/AfxResources.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CCeCommandBar, CWnd)

class AfxCommandBarState {
public:
    QHBoxLayout* buttonRow = nullptr;  // menu bar and tool buttons
    QHBoxLayout* adornments = nullptr;
    QMenuBar* menuBar = nullptr;
    CMenu menu;
    std::vector<QToolButton*> buttons;
    std::vector<QString> tips;
};

namespace {

void TagCommand(QObject* object, UINT id) {
    object->setObjectName(QString::number(id));
    object->setProperty("commandId", id);
}

}  // namespace

CCeCommandBar::CCeCommandBar() : m_pState(std::make_unique<AfxCommandBarState>()) {}

CCeCommandBar::~CCeCommandBar() = default;

BOOL CCeCommandBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    if (!pParentWnd || !pParentWnd->m_hWnd) return FALSE;
    m_dwBarStyle = dwStyle & 0xFFFF;
    const RECT rect{0, 0, 0, 0};
    if (!CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID)) return FALSE;
    if (auto* frame = dynamic_cast<CFrameWnd*>(pParentWnd)) frame->AddControlBar(this);
    return TRUE;
}

HWND CCeCommandBar::CreateWidget(CREATESTRUCT& cs) {
    auto* bar = new QWidget(cs.hwndParent);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, (cs.style & CBRS_BORDER_BOTTOM) ? 1 : 0);
    layout->setSpacing(0);
    m_pState->buttonRow = new QHBoxLayout;
    m_pState->buttonRow->setSpacing(0);
    m_pState->adornments = new QHBoxLayout;
    layout->addLayout(m_pState->buttonRow);
    layout->addStretch(1);
    layout->addLayout(m_pState->adornments);
    return bar;
}

namespace {

void BuildMenu(QMenu* menu, const std::vector<AfxMenuItem>& items, CWnd* target) {
    for (const AfxMenuItem& item : items) {
        if (!item.text) {
            menu->addSeparator();
        } else if (!item.popup.empty()) {
            BuildMenu(menu->addMenu(CString(item.text).ToQString()), item.popup, target);
        } else {
            QAction* action = menu->addAction(CString(item.text).ToQString());
            TagCommand(action, item.id);
            const UINT id = item.id;
            QObject::connect(action, &QAction::triggered, action, [target, id] { target->SendMessage(WM_COMMAND, id); });
        }
    }
    if (auto* frame = dynamic_cast<CFrameWnd*>(target))
        QObject::connect(menu, &QMenu::aboutToShow, menu, [frame] { frame->OnIdleUpdateCmdUI(); });
}

// F10 moves the keyboard focus to the menu bar with its first menu
// highlighted, as an Alt pressed and released alone does. Qt enters that
// keyboard mode of its menu bar only on such an Alt, so F10 hands the menu
// bar's window one.
void AddMenuKey(QMenuBar* menuBar) {
    QWidget* window = menuBar->window();
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), window);
    menuKey->setContext(Qt::WindowShortcut);
    QObject::connect(menuKey, &QShortcut::activated, menuBar, [window] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &press);
        QCoreApplication::sendEvent(window, &release);
    });
}

}  // namespace

CMenu* CCeCommandBar::InsertMenuBar(UINT nMenuID, WORD) {
    const std::vector<AfxMenuItem>* items = AfxResources::FindMenu(nMenuID);
    if (!m_hWnd || !items || m_pState->menuBar) return nullptr;
    CWnd* target = GetParentFrame() ? static_cast<CWnd*>(GetParentFrame()) : GetParent();
    auto* menuBar = new QMenuBar(m_hWnd);
    menuBar->setNativeMenuBar(false);
    auto* style = new AfxMenuBarStyle;
    style->setParent(menuBar);
    menuBar->setStyle(style);
    for (const AfxMenuItem& item : *items) {
        QMenu* menu = menuBar->addMenu(CString(item.text).ToQString());
        BuildMenu(menu, item.popup, target);
    }
    m_pState->buttonRow->insertWidget(0, menuBar);
    AddMenuKey(menuBar);
    m_pState->menuBar = menuBar;
    m_pState->menu.m_hMenu = menuBar;
    return &m_pState->menu;
}

BOOL CCeCommandBar::AddAdornments(DWORD) {
    if (!m_hWnd) return FALSE;
    auto* close = new QToolButton(m_hWnd);
    close->setObjectName(QStringLiteral("close"));
    close->setText(QStringLiteral("\u00D7"));
    close->setToolTip(QStringLiteral("Close"));
    close->setAutoRaise(true);
    QObject::connect(close, &QToolButton::clicked, close, [] {
        if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_CLOSE);
    });
    m_pState->adornments->addWidget(close);
    return TRUE;
}

BOOL CCeCommandBar::LoadToolBar(UINT nIDResource) {
    const AfxToolBarResource* toolBar = AfxResources::FindToolBar(nIDResource);
    const std::string_view xpm = AfxResources::FindBitmap(nIDResource);
    QImage strip;
    if (!m_hWnd || !toolBar || xpm.empty() ||
        !strip.loadFromData(reinterpret_cast<const uchar*>(xpm.data()), int(xpm.size()), "XPM"))
        return FALSE;
    for (QToolButton* button : m_pState->buttons) delete button;
    m_pState->buttons.clear();
    CWnd* target = GetParentFrame() ? static_cast<CWnd*>(GetParentFrame()) : GetParent();
    int image = 0;
    for (UINT id : toolBar->ids) {
        if (id == 0) {
            m_pState->buttonRow->addSpacing(6);
            continue;
        }
        auto* button = new QToolButton(m_hWnd);
        auto* action = new QAction(button);
        action->setIcon(QPixmap::fromImage(strip.copy(image * toolBar->cx, 0, toolBar->cx, toolBar->cy)));
        TagCommand(action, id);
        TagCommand(button, id);
        QObject::connect(action, &QAction::triggered, action, [target, id] { target->SendMessage(WM_COMMAND, id); });
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setIconSize(QSize(toolBar->cx, toolBar->cy));
        m_pState->buttonRow->addWidget(button);
        m_pState->buttons.push_back(button);
        ++image;
    }
    ApplyToolTips();
    return TRUE;
}

int CCeCommandBar::GetButtonCount() const { return int(m_pState->buttons.size()); }

void CCeCommandBar::SetBarStyle(DWORD dwStyle) {
    m_dwBarStyle = dwStyle;
    ApplyToolTips();
}

void CCeCommandBar::ApplyToolTips() {
    const bool show = (m_dwBarStyle & CBRS_TOOLTIPS) != 0;
    for (std::size_t i = 0; i < m_pState->buttons.size(); ++i) {
        const QString tip = show && i < m_pState->tips.size() ? m_pState->tips[i] : QString();
        m_pState->buttons[i]->defaultAction()->setToolTip(tip);
        m_pState->buttons[i]->setToolTip(tip);
    }
}

LRESULT CCeCommandBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != TB_SETTOOLTIPS) return CWnd::WindowProc(message, wParam, lParam);
    const auto* table = reinterpret_cast<const LPWSTR*>(lParam);
    if (!m_hWnd || (!table && wParam > 0)) return FALSE;
    m_pState->tips.clear();
    for (WPARAM i = 0; i < wParam; ++i) m_pState->tips.push_back(CString(table[i]).ToQString());
    ApplyToolTips();
    return TRUE;
}
