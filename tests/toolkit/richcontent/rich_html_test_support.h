// Readable forms of parsed HTML documents for the reader's tests.
#pragma once

#include "tests/toolkit/richcontent/rich_test_support.h"

#include <string>
#include <utility>
#include <vector>

namespace richtest {

// One item a line, two spaces a level: elements by name with " [attribute=value]", " /" when
// empty and " !n" for a parse status; words in double quotes; "_" for a white-space run. Items
// outside the tree that carry a status (closing tags) follow as "-- </name> !n". Walks without
// recursion, so deep trees dump as well as flat ones.
inline std::string DumpTree(const CExtRichContentLayout& doc) {
    std::string out;
    const CExtRichContentItem* root = doc.GetRoot();
    if (root) {
        std::vector<std::pair<const CExtRichContentItem*, int>> todo;
        for (RichPosition pos = root->m_listChildren.GetTailPosition(); pos;)
            todo.emplace_back(root->m_listChildren.GetPrev(pos), 0);
        while (!todo.empty()) {
            auto [item, depth] = todo.back();
            todo.pop_back();
            out += std::string(2 * depth, ' ');
            if (item->m_nKind == kRichItemText) {
                out += "\"" + Utf8(item->m_strName) + "\"";
            } else if (item->m_nKind == kRichItemWhiteSpace) {
                out += "_";
            } else {
                out += Utf8(item->m_strName);
                if (item->m_nParseState) out += " !" + std::to_string(item->m_nParseState);
                for (const CExtRichContentItem* a : item->m_listAttributes)
                    out += " [" + Utf8(a->m_strName) + "=" + Utf8(a->m_strValue) + "]";
                if (item->m_nTagFlags & kRichTagEmpty) out += " /";
            }
            out += "\n";
            for (RichPosition pos = item->m_listChildren.GetTailPosition(); pos;)
                todo.emplace_back(item->m_listChildren.GetPrev(pos), depth + 1);
        }
    }
    for (const CExtRichContentItem* item : doc.m_listItems)
        if (!item->m_pParent && item != root && item->m_nParseState)
            out += "-- </" + Utf8(item->m_strName) + "> !" + std::to_string(item->m_nParseState) + "\n";
    return out;
}

// The words of a document's tree in document order, one space between them.
inline std::string TreeWords(const CExtRichContentLayout& doc) {
    std::string out;
    for (const CExtRichContentItem* item = doc.GetRoot(); item; item = item->GetNextItem())
        if (item->m_nKind == kRichItemText) out += (out.empty() ? "" : " ") + Utf8(item->m_strName);
    return out;
}

}  // namespace richtest
