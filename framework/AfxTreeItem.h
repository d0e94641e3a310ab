#pragma once
// A tree control item: its handle id, item data and image indexes, with the
// image drawn from the control's image list.

#include <QTreeWidgetItem>
#include <cstdint>

#include "framework/types.h"

class AfxTreeItem : public QTreeWidgetItem {
public:
    explicit AfxTreeItem(std::uintptr_t id) : QTreeWidgetItem(UserType), m_id(id) {}

    std::uintptr_t Id() const { return m_id; }
    DWORD_PTR m_dwData = 0;

    void SetImages(int nImage, int nSelectedImage);

    QVariant data(int column, int role) const override;
    // Alphabetical, ignoring case.
    bool operator<(const QTreeWidgetItem& other) const override;

private:
    std::uintptr_t m_id;
    int m_nImage = 0;
    int m_nSelectedImage = 0;
};
