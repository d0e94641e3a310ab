#include "framework/AfxIconDelegate.h"

#include <QWidget>

#include "framework/AfxListModel.h"

QSize AfxIconDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    if (index.model() != m_pModel) return QStyledItemDelegate::sizeHint(option, index);
    const QStyle* style = option.widget ? option.widget->style() : nullptr;
    if (style != m_pStyle || option.decorationSize != m_decorationSize || option.font != m_font) {
        m_shortSizes.clear();
        m_sizes.clear();
        m_pStyle = style;
        m_decorationSize = option.decorationSize;
        m_font = option.font;
    }
    const bool image = m_pModel->HasImage(index.row());
    const std::u16string_view text = m_pModel->Text(index.row(), index.column());
    if (text.size() <= kPackedLength) {
        std::uint64_t key = (text.size() << 1) | (image ? 1 : 0);
        for (std::size_t i = 0; i < text.size(); ++i) key |= std::uint64_t(text[i]) << (16 * i + 3);
        const auto found = m_shortSizes.find(key);
        if (found != m_shortSizes.end()) return found->second;
        return m_shortSizes.emplace(key, QStyledItemDelegate::sizeHint(option, index))
            .first->second;
    }
    m_key.assign(1, image ? u'I' : u'-');
    m_key.append(text);
    const auto found = m_sizes.find(m_key);
    if (found != m_sizes.end()) return found->second;
    return m_sizes.emplace(m_key, QStyledItemDelegate::sizeHint(option, index)).first->second;
}
