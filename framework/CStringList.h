#pragma once
// Ordered list of strings, walked from the head with a position.

#include "framework/CString.h"

class CStringList {
public:
    // The block size is the platform's allocation hint; nodes are allocated one by one.
    explicit CStringList(INT_PTR nBlockSize = 10);
    ~CStringList();
    CStringList(const CStringList&) = delete;
    CStringList& operator=(const CStringList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    POSITION AddTail(const CString& newElement);
    void RemoveAll();

    // Null when the list is empty.
    POSITION GetHeadPosition() const;
    // Returns the element at rPosition and advances it (null after the last).
    CString& GetNext(POSITION& rPosition);
    const CString& GetNext(POSITION& rPosition) const;

private:
    struct Node;
    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
};
