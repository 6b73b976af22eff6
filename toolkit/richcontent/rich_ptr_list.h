// A doubly linked list of pointers with list positions, as the engine's iterations need them:
// a position stays valid while other nodes are added or removed, iteration advances the position
// before the caller uses the element, and nodes can be removed at a position. The list never
// owns the pointed-to objects.
#pragma once

#include <cstddef>

using RichPosition = void*;

template <class T>
class RichPtrList {
    struct Node {
        Node* prev;
        Node* next;
        T* data;
    };

public:
    RichPtrList() = default;
    RichPtrList(const RichPtrList&) = delete;
    RichPtrList& operator=(const RichPtrList&) = delete;
    ~RichPtrList() { RemoveAll(); }

    bool IsEmpty() const { return m_count == 0; }
    std::size_t GetCount() const { return m_count; }
    T* GetHead() const { return m_head ? m_head->data : nullptr; }
    T* GetTail() const { return m_tail ? m_tail->data : nullptr; }
    RichPosition GetHeadPosition() const { return m_head; }
    RichPosition GetTailPosition() const { return m_tail; }

    RichPosition AddTail(T* data) {
        Node* n = new Node{m_tail, nullptr, data};
        (m_tail ? m_tail->next : m_head) = n;
        m_tail = n;
        ++m_count;
        return n;
    }
    RichPosition AddHead(T* data) {
        Node* n = new Node{nullptr, m_head, data};
        (m_head ? m_head->prev : m_tail) = n;
        m_head = n;
        ++m_count;
        return n;
    }
    // Inserts after the node at `pos` (at the tail for a null position).
    RichPosition InsertAfter(RichPosition pos, T* data) {
        Node* at = static_cast<Node*>(pos);
        if (!at || at == m_tail) return AddTail(data);
        Node* n = new Node{at, at->next, data};
        at->next->prev = n;
        at->next = n;
        ++m_count;
        return n;
    }
    RichPosition InsertBefore(RichPosition pos, T* data) {
        Node* at = static_cast<Node*>(pos);
        if (!at || at == m_head) return AddHead(data);
        return InsertAfter(at->prev, data);
    }

    T* RemoveHead() {
        if (!m_head) return nullptr;
        T* data = m_head->data;
        RemoveAt(m_head);
        return data;
    }
    void RemoveAt(RichPosition pos) {
        Node* n = static_cast<Node*>(pos);
        if (!n) return;
        (n->prev ? n->prev->next : m_head) = n->next;
        (n->next ? n->next->prev : m_tail) = n->prev;
        delete n;
        --m_count;
    }
    void RemoveAll() {
        while (m_head) RemoveAt(m_head);
    }
    // Removes the first node holding `data`; false when none does.
    bool Remove(const T* data) {
        RichPosition pos = Find(data);
        if (!pos) return false;
        RemoveAt(pos);
        return true;
    }

    RichPosition Find(const T* data, RichPosition after = nullptr) const {
        Node* n = after ? static_cast<Node*>(after)->next : m_head;
        for (; n; n = n->next)
            if (n->data == data) return n;
        return nullptr;
    }
    T* GetAt(RichPosition pos) const { return static_cast<Node*>(pos)->data; }
    // Answers the element at `pos` and moves `pos` to the next (previous) node, null past the end.
    T* GetNext(RichPosition& pos) const {
        Node* n = static_cast<Node*>(pos);
        pos = n->next;
        return n->data;
    }
    T* GetPrev(RichPosition& pos) const {
        Node* n = static_cast<Node*>(pos);
        pos = n->prev;
        return n->data;
    }

    // Range-for over the elements (do not remove the current node while iterating this way).
    class Iterator {
    public:
        explicit Iterator(Node* n) : m_n(n) {}
        T* operator*() const { return m_n->data; }
        Iterator& operator++() {
            m_n = m_n->next;
            return *this;
        }
        bool operator!=(const Iterator& o) const { return m_n != o.m_n; }

    private:
        Node* m_n;
    };
    Iterator begin() const { return Iterator(m_head); }
    Iterator end() const { return Iterator(nullptr); }

private:
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    std::size_t m_count = 0;
};
