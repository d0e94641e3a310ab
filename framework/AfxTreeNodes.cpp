#include "framework/AfxTreeNodes.h"

#include <QStringView>
#include <algorithm>
#include <limits>

namespace {

bool Precedes(std::u16string_view a, std::u16string_view b) {
    const QStringView left(a.data(), qsizetype(a.size()));
    const QStringView right(b.data(), qsizetype(b.size()));
    const int byCase = left.compare(right, Qt::CaseInsensitive);
    return byCase != 0 ? byCase < 0 : left < right;
}

}  // namespace

AfxTreeNodes::Id AfxTreeNodes::Find(HTREEITEM hItem) const {
    const auto handle = reinterpret_cast<std::uintptr_t>(hItem);
    if (handle < m_base || handle - m_base >= m_nodes.size()) return kNone;
    const auto id = Id(handle - m_base);
    return IsLive(id) ? id : kNone;
}

HTREEITEM AfxTreeNodes::Handle(Id id) const {
    return IsLive(id) ? reinterpret_cast<HTREEITEM>(m_base + id) : nullptr;
}

bool AfxTreeNodes::ReserveChild(Node& node) {
    if (node.childCount < node.childCapacity) return true;
    const std::size_t capacity = node.childCapacity ? std::size_t(node.childCapacity) * 2 : 1;
    const std::size_t begin = m_children.size();
    if (begin + capacity > std::numeric_limits<std::uint32_t>::max()) return false;
    m_children.resize(begin + capacity);
    std::copy_n(m_children.begin() + node.childBegin, node.childCount, m_children.begin() + begin);
    node.childBegin = std::uint32_t(begin);
    node.childCapacity = std::uint32_t(capacity);
    return true;
}

AfxTreeNodes::Id AfxTreeNodes::Append(Id parent, std::u16string_view text) {
    const auto id = Id(m_nodes.size());
    if (id >= kDead || (parent != kRoot && !IsLive(parent))) return kNone;
    Node node;
    node.parent = parent;
    if (!ReserveChild(NodeAt(parent)) || !m_text.Append(text, &node.text)) return kNone;
    Node& owner = NodeAt(parent);
    node.row = owner.childCount;
    m_children[owner.childBegin + owner.childCount++] = id;
    m_nodes.push_back(node);
    ++m_nCount;
    return id;
}

void AfxTreeNodes::Remove(Id id) {
    Node& owner = NodeAt(m_nodes[id].parent);
    const auto first = m_children.begin() + owner.childBegin;
    std::copy(first + m_nodes[id].row + 1, first + owner.childCount, first + m_nodes[id].row);
    --owner.childCount;
    for (std::uint32_t row = m_nodes[id].row; row < owner.childCount; ++row)
        m_nodes[first[row]].row = row;

    // Iterative, since nothing bounds the depth of a control's tree.
    std::vector<Id> pending{id};
    while (!pending.empty()) {
        const Id gone = pending.back();
        pending.pop_back();
        const Node& node = m_nodes[gone];
        pending.insert(pending.end(), m_children.begin() + node.childBegin,
                       m_children.begin() + node.childBegin + node.childCount);
        Forget(gone);
    }
}

void AfxTreeNodes::Forget(Id id) {
    m_text.Release(m_nodes[id].text);
    m_nodes[id].parent = kDead;
    m_data.erase(id);
    m_images.erase(id);
    --m_nCount;
}

void AfxTreeNodes::Clear() {
    m_base += m_nodes.size();
    m_root = Node();
    m_nodes.clear();
    m_children.clear();
    m_text.Clear();
    m_data.clear();
    m_images.clear();
    m_nCount = 0;
}

void AfxTreeNodes::SortChildren(Id parent) {
    Node& owner = NodeAt(parent);
    const auto first = m_children.begin() + owner.childBegin;
    const auto last = first + owner.childCount;
    std::stable_sort(first, last, [this](Id a, Id b) { return Precedes(Text(a), Text(b)); });
    for (std::uint32_t row = 0; row < owner.childCount; ++row) m_nodes[first[row]].row = row;
}

AfxTreeNodes::Id AfxTreeNodes::Child(Id parent, int row) const {
    const Node& owner = NodeAt(parent);
    if (row < 0 || std::uint32_t(row) >= owner.childCount) return kNone;
    return m_children[owner.childBegin + std::uint32_t(row)];
}

bool AfxTreeNodes::IsAncestor(Id ancestor, Id id) const {
    for (Id p = m_nodes[id].parent; p != kRoot; p = m_nodes[p].parent)
        if (p == ancestor) return true;
    return false;
}

DWORD_PTR AfxTreeNodes::Data(Id id) const {
    const auto found = m_data.find(id);
    return found == m_data.end() ? 0 : found->second;
}

void AfxTreeNodes::SetData(Id id, DWORD_PTR dwData) {
    if (dwData)
        m_data[id] = dwData;
    else
        m_data.erase(id);
}

std::pair<int, int> AfxTreeNodes::Images(Id id) const {
    const auto found = m_images.find(id);
    return found == m_images.end() ? std::pair{0, 0} : found->second;
}

void AfxTreeNodes::SetImages(Id id, int nImage, int nSelectedImage) {
    if (nImage || nSelectedImage)
        m_images[id] = {nImage, nSelectedImage};
    else
        m_images.erase(id);
}
