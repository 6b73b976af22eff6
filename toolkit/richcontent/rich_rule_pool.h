// Collected rules and computed styles shared between the items of a document: most elements of a
// large page carry one of a few identical rules (a colour, a font) and end with one of a few
// identical computed styles, so an item keeps a reference to one pooled copy instead of a record
// of its own. Pooled records are counted: each lives while an item refers to it, also past the
// pool (an item may outlive its document). A pooled record is read only; an item that changes
// its record first makes it its own (Unshare).
#pragma once

#include "toolkit/richcontent/rich_style.h"

#include <cstddef>
#include <unordered_map>

template <class T>
class RichSharedPool {
public:
    RichSharedPool() = default;
    RichSharedPool(const RichSharedPool&) = delete;
    RichSharedPool& operator=(const RichSharedPool&) = delete;
    ~RichSharedPool();

    // A pooled record equal to `value`, with one more reference (the caller's).
    const T* Acquire(const T& value);
    // One more reference to a pooled record (dropped with Release).
    static const T* Retain(const T* value);
    // Drops a reference taken by Acquire or Retain; the last one deletes the record.
    static void Release(const T* value);
    // Turns the caller's reference into a record the caller owns (and deletes): the pooled record
    // itself, taken out of the pool, when no one else refers to it, else a copy.
    static T* Unshare(const T* value);

private:
    struct Entry;
    static std::size_t Hash(const T& value);
    static bool Equal(const T& a, const T& b);
    static void Forget(Entry* entry);
    std::unordered_multimap<std::size_t, Entry*> m_entries;
};

class CExtRichRulePool : public RichSharedPool<CExtRichStyleRule> {};
class CExtRichStylePool : public RichSharedPool<CExtRichStyleDescription> {};

// The computed styles a document has made, by pooled rule and pooled parent style: a computed
// style depends on those two alone, and a large page computes the same few pairs for thousands of
// elements. The memo holds a reference to each record it names, so a pointer it keeps can never
// come to stand for another record.
class CExtRichStyleMemo {
public:
    CExtRichStyleMemo() = default;
    CExtRichStyleMemo(const CExtRichStyleMemo&) = delete;
    CExtRichStyleMemo& operator=(const CExtRichStyleMemo&) = delete;
    ~CExtRichStyleMemo() { Clear(); }

    // The pooled style computed from `rule` over `parent`, with one more reference (the
    // caller's), or null when not known.
    const CExtRichStyleDescription* Find(const CExtRichStyleRule* rule, const CExtRichStyleDescription* parent) const;
    // Remembers `style` (pooled) as computed from `rule` over `parent` (both pooled).
    void Add(const CExtRichStyleRule* rule, const CExtRichStyleDescription* parent,
             const CExtRichStyleDescription* style);
    // Forgets everything, dropping the references.
    void Clear();
    std::size_t GetCount() const { return m_entries.size(); }

    // Past this many pairs (a page of many distinct styles) the memo starts again.
    static constexpr std::size_t kMaxEntries = 4096;

private:
    struct Key {
        const CExtRichStyleRule* rule;
        const CExtRichStyleDescription* parent;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const noexcept {
            const auto a = reinterpret_cast<std::size_t>(k.rule), b = reinterpret_cast<std::size_t>(k.parent);
            return a * 0x9e3779b97f4a7c15ULL ^ (b + (b >> 7));
        }
    };
    std::unordered_map<Key, const CExtRichStyleDescription*, KeyHash> m_entries;
};
