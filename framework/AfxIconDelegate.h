#pragma once
// Draws and measures the labels of a list control in icon mode. Measuring
// a label through the style is costly and a long list holds few distinct
// labels (a byte list: at most 256), so each distinct label, with or
// without an image, is measured once for the view's font and style; the
// layout of a million labels then costs little more than a walk over them.

#include <QFont>
#include <QSize>
#include <QStyledItemDelegate>
#include <cstdint>
#include <string>
#include <unordered_map>

class AfxListModel;
class QStyle;

class AfxIconDelegate : public QStyledItemDelegate {
public:
    AfxIconDelegate(const AfxListModel* pModel, QObject* parent)
        : QStyledItemDelegate(parent), m_pModel(pModel) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // Labels of up to three characters (a byte's two digits) are looked up
    // by a number packed from them, longer ones by their text.
    static constexpr std::size_t kPackedLength = 3;

    const AfxListModel* m_pModel;
    // The sizes hold for this font, image size and style only.
    mutable QFont m_font;
    mutable QSize m_decorationSize;
    mutable const QStyle* m_pStyle = nullptr;
    // Keyed by whether the row has an image and by the label.
    mutable std::unordered_map<std::uint64_t, QSize> m_shortSizes;
    mutable std::unordered_map<std::u16string, QSize> m_sizes;
    mutable std::u16string m_key;
};
