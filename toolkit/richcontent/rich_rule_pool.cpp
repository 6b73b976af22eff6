#include "toolkit/richcontent/rich_rule_pool.h"

#include <functional>

template <class T>
struct RichSharedPool<T>::Entry : T {
    explicit Entry(const T& value) : T(value) {}
    std::size_t m_nRefs = 0;
    std::size_t m_nHash = 0;
    RichSharedPool* m_pPool = nullptr;  // null once the pool is gone or the record was taken out
};

template <class T>
RichSharedPool<T>::~RichSharedPool() {
    for (auto& [hash, entry] : m_entries) entry->m_pPool = nullptr;
}

namespace {

void Mix(std::size_t& h, std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); }

}  // namespace

// Equal records hash equal; the fields here are the ones that differ most between elements.
template <>
std::size_t RichSharedPool<CExtRichStyleRule>::Hash(const CExtRichStyleRule& rule) {
    std::size_t h = std::hash<RichString>{}(rule.m_strFontFamily);
    for (int v : {rule.m_nWeight, rule.m_nItalic, rule.m_nUnderline, rule.m_nFontSize, rule.m_nFontSizeStep,
                  rule.m_nDisplay, rule.m_nPosition, rule.m_nWhiteSpace, rule.m_nTextAlign, rule.m_nWidth,
                  rule.m_nHeight, rule.m_rcMargin.left, rule.m_rcMargin.top, rule.m_rcPadding.left,
                  rule.m_rcPadding.top, rule.m_nBorderStyle[0], rule.m_nListStyleType})
        Mix(h, static_cast<std::size_t>(static_cast<unsigned>(v)));
    Mix(h, rule.m_clrText);
    Mix(h, rule.m_clrBackground);
    Mix(h, rule.m_clrBorder[0]);
    Mix(h, rule.m_strContentBefore.size());
    Mix(h, rule.m_strContentAfter.size());
    return h;
}

template <>
bool RichSharedPool<CExtRichStyleRule>::Equal(const CExtRichStyleRule& a, const CExtRichStyleRule& b) {
    return a == b;
}

template <>
std::size_t RichSharedPool<CExtRichStyleDescription>::Hash(const CExtRichStyleDescription& style) {
    std::size_t h = style.m_font.Hash();
    for (int v : {style.m_nDisplay, style.m_nPosition, style.m_nWhiteSpace, style.m_nTextAlign, style.m_nVerticalAlign,
                  style.m_nWidth, style.m_nHeight, style.m_rcMargin.left, style.m_rcMargin.top,
                  style.m_rcPadding.left, style.m_rcPadding.top, style.m_rcBorderWidth.left, style.m_nBorderStyle[0],
                  style.m_nListStyleType, style.m_nVisibility, style.m_nFloat})
        Mix(h, static_cast<std::size_t>(static_cast<unsigned>(v)));
    Mix(h, style.m_clrText);
    Mix(h, style.m_clrBackground);
    Mix(h, style.m_clrBorder[0]);
    Mix(h, style.m_strContentBefore.size());
    Mix(h, style.m_strContentAfter.size());
    Mix(h, style.m_strBackgroundImage.size());
    return h;
}

template <>
bool RichSharedPool<CExtRichStyleDescription>::Equal(const CExtRichStyleDescription& a,
                                                     const CExtRichStyleDescription& b) {
    return a.Compare(b) == 0;
}

template <class T>
const T* RichSharedPool<T>::Acquire(const T& value) {
    const std::size_t hash = Hash(value);
    auto [first, last] = m_entries.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (Equal(*it->second, value)) {
            ++it->second->m_nRefs;
            return it->second;
        }
    }
    auto* entry = new Entry(value);
    entry->m_nRefs = 1;
    entry->m_nHash = hash;
    entry->m_pPool = this;
    m_entries.emplace(hash, entry);
    return entry;
}

template <class T>
void RichSharedPool<T>::Forget(Entry* entry) {
    RichSharedPool* pool = entry->m_pPool;
    if (!pool) return;
    auto [first, last] = pool->m_entries.equal_range(entry->m_nHash);
    for (auto it = first; it != last; ++it) {
        if (it->second == entry) {
            pool->m_entries.erase(it);
            break;
        }
    }
    entry->m_pPool = nullptr;
}

template <class T>
const T* RichSharedPool<T>::Retain(const T* value) {
    if (value) ++static_cast<Entry*>(const_cast<T*>(value))->m_nRefs;
    return value;
}

template <class T>
void RichSharedPool<T>::Release(const T* value) {
    if (!value) return;
    auto* entry = static_cast<Entry*>(const_cast<T*>(value));
    if (--entry->m_nRefs > 0) return;
    Forget(entry);
    delete entry;
}

template <class T>
T* RichSharedPool<T>::Unshare(const T* value) {
    if (!value) return nullptr;
    auto* entry = static_cast<Entry*>(const_cast<T*>(value));
    if (entry->m_nRefs > 1) {
        --entry->m_nRefs;
        return new T(*value);
    }
    Forget(entry);
    return entry;
}

template class RichSharedPool<CExtRichStyleRule>;
template class RichSharedPool<CExtRichStyleDescription>;

const CExtRichStyleDescription* CExtRichStyleMemo::Find(const CExtRichStyleRule* rule,
                                                        const CExtRichStyleDescription* parent) const {
    auto it = m_entries.find(Key{rule, parent});
    return it == m_entries.end() ? nullptr : CExtRichStylePool::Retain(it->second);
}

void CExtRichStyleMemo::Add(const CExtRichStyleRule* rule, const CExtRichStyleDescription* parent,
                            const CExtRichStyleDescription* style) {
    if (m_entries.size() >= kMaxEntries) Clear();
    auto [it, added] = m_entries.emplace(Key{rule, parent}, style);
    if (!added) return;
    CExtRichRulePool::Retain(rule);
    CExtRichStylePool::Retain(parent);
    CExtRichStylePool::Retain(style);
}

void CExtRichStyleMemo::Clear() {
    for (auto& [key, style] : m_entries) {
        CExtRichRulePool::Release(key.rule);
        CExtRichStylePool::Release(key.parent);
        CExtRichStylePool::Release(style);
    }
    m_entries.clear();
}
