#pragma once
// Ordered list of strings with positions that stay valid while other
// elements are added or removed.

#include "framework/CString.h"

class CStringList {
public:
    explicit CStringList(INT_PTR nBlockSize = 10);
    ~CStringList();
    CStringList(const CStringList&) = delete;
    CStringList& operator=(const CStringList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // The list must not be empty.
    CString& GetHead();
    const CString& GetHead() const;
    CString& GetTail();
    const CString& GetTail() const;
    CString RemoveHead();
    CString RemoveTail();

    POSITION AddHead(const CString& newElement);
    POSITION AddTail(const CString& newElement);
    void RemoveAll();

    // Null when the list is empty.
    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    // Returns the element at rPosition and advances it (null after the last).
    CString& GetNext(POSITION& rPosition);
    const CString& GetNext(POSITION& rPosition) const;
    CString& GetPrev(POSITION& rPosition);
    const CString& GetPrev(POSITION& rPosition) const;
    CString& GetAt(POSITION position);
    const CString& GetAt(POSITION position) const;

private:
    struct Node;
    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
};
