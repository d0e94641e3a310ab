#pragma once
// Draws and measures the labels of a list control in icon mode. Measuring
// a label through the style is costly and a long list holds few distinct
// labels (a byte list: at most 256), so each distinct label, with or
// without an image, is measured once for the view's font and style; the
// layout of a million labels then costs little more than a walk over them.

#include <QFont>
#include <QSize>
#include <QStyledItemDelegate>
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
    // Labels are short: a plain multiplicative hash beats a byte hash here.
    struct LabelHash {
        std::size_t operator()(const std::u16string& key) const {
            std::size_t hash = 0;
            for (char16_t ch : key) hash = hash * 31 + ch;
            return hash;
        }
    };

    const AfxListModel* m_pModel;
    // The sizes hold for this font, image size and style only.
    mutable QFont m_font;
    mutable QSize m_decorationSize;
    mutable const QStyle* m_pStyle = nullptr;
    // Keyed by a mark for "has an image" followed by the label.
    mutable std::unordered_map<std::u16string, QSize, LabelHash> m_sizes;
    mutable std::u16string m_key;
};
