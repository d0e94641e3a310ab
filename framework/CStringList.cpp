#include "framework/CStringList.h"

struct CStringList::Node {
    CString data;
    Node* pNext = nullptr;
};

CStringList::CStringList(INT_PTR) {}

CStringList::~CStringList() { RemoveAll(); }

POSITION CStringList::AddTail(const CString& newElement) {
    Node* node = new Node{newElement};
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

CString& CStringList::GetNext(POSITION& rPosition) {
    Node* node = reinterpret_cast<Node*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
}

const CString& CStringList::GetNext(POSITION& rPosition) const {
    const Node* node = reinterpret_cast<const Node*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
}
