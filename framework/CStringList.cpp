#include "framework/CStringList.h"

struct CStringList::Node {
    CString data;
    Node* pNext = nullptr;
    Node* pPrev = nullptr;
};

namespace {

template <typename NodeT>
NodeT* ToNode(POSITION position) {
    return reinterpret_cast<NodeT*>(position);
}

}  // namespace

CStringList::CStringList(INT_PTR) {}

CStringList::~CStringList() { RemoveAll(); }

CString& CStringList::GetHead() { return m_pHead->data; }
const CString& CStringList::GetHead() const { return m_pHead->data; }
CString& CStringList::GetTail() { return m_pTail->data; }
const CString& CStringList::GetTail() const { return m_pTail->data; }

CString CStringList::RemoveHead() {
    Node* node = m_pHead;
    CString value = std::move(node->data);
    m_pHead = node->pNext;
    if (m_pHead) m_pHead->pPrev = nullptr;
    else m_pTail = nullptr;
    delete node;
    --m_nCount;
    return value;
}

CString CStringList::RemoveTail() {
    Node* node = m_pTail;
    CString value = std::move(node->data);
    m_pTail = node->pPrev;
    if (m_pTail) m_pTail->pNext = nullptr;
    else m_pHead = nullptr;
    delete node;
    --m_nCount;
    return value;
}

POSITION CStringList::AddHead(const CString& newElement) {
    Node* node = new Node{newElement, m_pHead, nullptr};
    if (m_pHead) m_pHead->pPrev = node;
    else m_pTail = node;
    m_pHead = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
}

POSITION CStringList::AddTail(const CString& newElement) {
    Node* node = new Node{newElement, nullptr, m_pTail};
    if (m_pTail) m_pTail->pNext = node;
    else m_pHead = node;
    m_pTail = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
}

void CStringList::RemoveAll() {
    while (m_pHead) {
        Node* next = m_pHead->pNext;
        delete m_pHead;
        m_pHead = next;
    }
    m_pTail = nullptr;
    m_nCount = 0;
}

POSITION CStringList::GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pHead); }
POSITION CStringList::GetTailPosition() const { return reinterpret_cast<POSITION>(m_pTail); }

CString& CStringList::GetNext(POSITION& rPosition) {
    Node* node = ToNode<Node>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
}

const CString& CStringList::GetNext(POSITION& rPosition) const {
    const Node* node = ToNode<const Node>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
}

CString& CStringList::GetPrev(POSITION& rPosition) {
    Node* node = ToNode<Node>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pPrev);
    return node->data;
}

const CString& CStringList::GetPrev(POSITION& rPosition) const {
    const Node* node = ToNode<const Node>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pPrev);
    return node->data;
}

CString& CStringList::GetAt(POSITION position) { return ToNode<Node>(position)->data; }
const CString& CStringList::GetAt(POSITION position) const { return ToNode<const Node>(position)->data; }
