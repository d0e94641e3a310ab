#include "framework/AfxTreeItem.h"

#include <QIcon>
#include <QPixmap>

#include "framework/AfxTreeWidget.h"
#include "framework/CImageList.h"

void AfxTreeItem::SetImages(int nImage, int nSelectedImage) {
    if (nImage == m_nImage && nSelectedImage == m_nSelectedImage) return;
    m_nImage = nImage;
    m_nSelectedImage = nSelectedImage;
    emitDataChanged();
}

QVariant AfxTreeItem::data(int column, int role) const {
    if (role != Qt::DecorationRole || column != 0) return QTreeWidgetItem::data(column, role);
    const auto* tree = static_cast<const AfxTreeWidget*>(treeWidget());
    const CImageList* images = tree ? tree->ImageList() : nullptr;
    if (!images) return QVariant();
    QIcon icon(images->GetPixmap(m_nImage));
    if (m_nSelectedImage != m_nImage) icon.addPixmap(images->GetPixmap(m_nSelectedImage), QIcon::Selected);
    return icon;
}

bool AfxTreeItem::operator<(const QTreeWidgetItem& other) const {
    const int byCase = text(0).compare(other.text(0), Qt::CaseInsensitive);
    return byCase != 0 ? byCase < 0 : text(0) < other.text(0);
}
