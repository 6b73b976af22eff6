// A doubly linked list of pointers with list positions, as the engine's iterations need them:
// a position stays valid while other nodes are added or removed, iteration advances the position
// before the caller uses the element, and nodes can be removed at a position. The list never
// owns the pointed-to objects.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/richcontent/rich_list_nodes.h"

using RichPosition = void*;

template <class T>
class RichPtrList {
    // The head's back link is the tail (the tail's forward link is null), so that a list is two
    // words: every item of a page carries five.
    struct Node {
        Node* prev;
        Node* next;
        T* data;
        // A page's many nodes come from the thread's node blocks rather than one by one from the heap.
        static void* operator new(std::size_t) { return RichListNodes::Allocate(); }
        static void operator delete(void* node) { RichListNodes::Free(node); }
    };
    static_assert(sizeof(Node) == RichListNodes::kNodeBytes);

public:
    RichPtrList() = default;
    RichPtrList(const RichPtrList&) = delete;
    RichPtrList& operator=(const RichPtrList&) = delete;
    ~RichPtrList() { RemoveAll(); }

    bool IsEmpty() const { return m_count == 0; }
    std::size_t GetCount() const { return m_count; }
    T* GetHead() const { return m_head ? m_head->data : nullptr; }
    T* GetTail() const { return m_head ? Tail()->data : nullptr; }
    RichPosition GetHeadPosition() const { return m_head; }
    RichPosition GetTailPosition() const { return m_head ? Tail() : nullptr; }

    RichPosition AddTail(T* data) {
        if (!m_head) return AddFirst(data);
        Node* tail = Tail();
        Node* n = new Node{tail, nullptr, data};
        tail->next = n;
        m_head->prev = n;
        ++m_count;
        return n;
    }
    RichPosition AddHead(T* data) {
        if (!m_head) return AddFirst(data);
        Node* n = new Node{Tail(), m_head, data};
        m_head->prev = n;
        m_head = n;
        ++m_count;
        return n;
    }
    // Inserts after the node at `pos` (at the tail for a null position).
    RichPosition InsertAfter(RichPosition pos, T* data) {
        Node* at = static_cast<Node*>(pos);
        if (!at || !at->next) return AddTail(data);
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
        if (n == m_head) {
            m_head = n->next;
            if (m_head) m_head->prev = n->prev;
        } else {
            n->prev->next = n->next;
            (n->next ? n->next->prev : m_head->prev) = n->prev;
        }
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
        pos = n == m_head ? nullptr : n->prev;
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
    Node* Tail() const { return m_head->prev; }
    RichPosition AddFirst(T* data) {
        Node* n = new Node{nullptr, nullptr, data};
        n->prev = n;
        m_head = n;
        m_count = 1;
        return n;
    }

    Node* m_head = nullptr;
    std::uint32_t m_count = 0;
};
