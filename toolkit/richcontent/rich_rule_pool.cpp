#include "toolkit/richcontent/rich_rule_pool.h"

#include <functional>

struct CExtRichRulePool::Entry : CExtRichStyleRule {
    explicit Entry(const CExtRichStyleRule& rule) : CExtRichStyleRule(rule) {}
    std::size_t m_nRefs = 0;
    std::size_t m_nHash = 0;
    CExtRichRulePool* m_pPool = nullptr;  // null once the pool is gone
};

CExtRichRulePool::~CExtRichRulePool() {
    for (auto& [hash, entry] : m_entries) entry->m_pPool = nullptr;
}

// Equal rules hash equal; the fields here are the ones that differ most between elements.
std::size_t CExtRichRulePool::Hash(const CExtRichStyleRule& rule) {
    std::size_t h = std::hash<RichString>{}(rule.m_strFontFamily);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    for (int v : {rule.m_nWeight, rule.m_nItalic, rule.m_nUnderline, rule.m_nFontSize, rule.m_nFontSizeStep,
                  rule.m_nDisplay, rule.m_nPosition, rule.m_nWhiteSpace, rule.m_nTextAlign, rule.m_nWidth,
                  rule.m_nHeight, rule.m_rcMargin.left, rule.m_rcMargin.top, rule.m_rcPadding.left,
                  rule.m_rcPadding.top, rule.m_nBorderStyle[0], rule.m_nListStyleType})
        mix(static_cast<std::size_t>(static_cast<unsigned>(v)));
    mix(rule.m_clrText);
    mix(rule.m_clrBackground);
    mix(rule.m_clrBorder[0]);
    mix(rule.m_strContentBefore.size());
    mix(rule.m_strContentAfter.size());
    return h;
}

const CExtRichStyleRule* CExtRichRulePool::Acquire(const CExtRichStyleRule& rule) {
    const std::size_t hash = Hash(rule);
    auto [first, last] = m_entries.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (static_cast<const CExtRichStyleRule&>(*it->second) == rule) {
            ++it->second->m_nRefs;
            return it->second;
        }
    }
    auto* entry = new Entry(rule);
    entry->m_nRefs = 1;
    entry->m_nHash = hash;
    entry->m_pPool = this;
    m_entries.emplace(hash, entry);
    return entry;
}

void CExtRichRulePool::Release(const CExtRichStyleRule* rule) {
    if (!rule) return;
    auto* entry = static_cast<Entry*>(const_cast<CExtRichStyleRule*>(rule));
    if (--entry->m_nRefs > 0) return;
    if (CExtRichRulePool* pool = entry->m_pPool) {
        auto [first, last] = pool->m_entries.equal_range(entry->m_nHash);
        for (auto it = first; it != last; ++it) {
            if (it->second == entry) {
                pool->m_entries.erase(it);
                break;
            }
        }
    }
    delete entry;
}
