// Collected rules shared between the items of a document: most elements of a large page carry
// one of a few identical rules (a colour, a font), so an item keeps a reference to one pooled
// copy instead of a rule of its own. Pooled rules are counted: each lives while an item refers
// to it, also past the pool (an item may outlive its document).
#pragma once

#include "toolkit/richcontent/rich_style.h"

#include <cstddef>
#include <unordered_map>

class CExtRichRulePool {
public:
    CExtRichRulePool() = default;
    CExtRichRulePool(const CExtRichRulePool&) = delete;
    CExtRichRulePool& operator=(const CExtRichRulePool&) = delete;
    ~CExtRichRulePool();

    // A pooled rule equal to `rule`, with one more reference (the caller's).
    const CExtRichStyleRule* Acquire(const CExtRichStyleRule& rule);
    // Drops a reference taken by Acquire; the last one deletes the rule.
    static void Release(const CExtRichStyleRule* rule);

private:
    struct Entry;
    static std::size_t Hash(const CExtRichStyleRule& rule);
    std::unordered_multimap<std::size_t, Entry*> m_entries;
};
