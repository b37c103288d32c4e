// An ordered list of pointers walked by POSITION, as the document manager,
// templates and documents keep their members. Removing one element leaves
// the positions of the others valid, so a walk may close what it has just
// passed.
#pragma once

#include <cstddef>

struct __POSITION {};
typedef __POSITION* POSITION;

template <class T>
class CTypedPtrList {
public:
    CTypedPtrList() = default;
    CTypedPtrList(const CTypedPtrList&) = delete;
    CTypedPtrList& operator=(const CTypedPtrList&) = delete;
    ~CTypedPtrList() { RemoveAll(); }

    bool IsEmpty() const { return m_nCount == 0; }
    std::size_t GetCount() const { return m_nCount; }
    T GetHead() const { return m_pHead->data; }
    T GetTail() const { return m_pTail->data; }
    POSITION GetHeadPosition() const { return ToPos(m_pHead); }

    // The element at pos; pos moves on to the next one (NULL after the last).
    T GetNext(POSITION& pos) const {
        Node* node = FromPos(pos);
        pos = ToPos(node->next);
        return node->data;
    }

    POSITION AddTail(T data) {
        Node* node = new Node{nullptr, m_pTail, data};
        (m_pTail ? m_pTail->next : m_pHead) = node;
        m_pTail = node;
        ++m_nCount;
        return ToPos(node);
    }

    POSITION Find(T data) const {
        for (Node* node = m_pHead; node; node = node->next) {
            if (node->data == data) return ToPos(node);
        }
        return nullptr;
    }

    void RemoveAt(POSITION pos) {
        Node* node = FromPos(pos);
        (node->prev ? node->prev->next : m_pHead) = node->next;
        (node->next ? node->next->prev : m_pTail) = node->prev;
        delete node;
        --m_nCount;
    }

    bool Remove(T data) {
        POSITION pos = Find(data);
        if (!pos) return false;
        RemoveAt(pos);
        return true;
    }

    void RemoveAll() {
        while (m_pHead) RemoveAt(ToPos(m_pHead));
    }

private:
    struct Node {
        Node* next;
        Node* prev;
        T data;
    };
    static POSITION ToPos(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* FromPos(POSITION pos) { return reinterpret_cast<Node*>(pos); }

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    std::size_t m_nCount = 0;
};
