#include "framework/AfxIconDelegate.h"

#include <QWidget>

#include "framework/AfxListModel.h"

QSize AfxIconDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    if (index.model() != m_pModel) return QStyledItemDelegate::sizeHint(option, index);
    const QStyle* style = option.widget ? option.widget->style() : nullptr;
    if (style != m_pStyle || option.decorationSize != m_decorationSize || option.font != m_font) {
        m_sizes.clear();
        m_pStyle = style;
        m_decorationSize = option.decorationSize;
        m_font = option.font;
    }
    m_key.assign(1, m_pModel->HasImage(index.row()) ? u'I' : u'-');
    m_key.append(m_pModel->Text(index.row(), index.column()));
    const auto found = m_sizes.find(m_key);
    if (found != m_sizes.end()) return found->second;
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    m_sizes.emplace(m_key, size);
    return size;
}
