// Extents and metrics of the runs measured in one measuring pass of a document, by device
// context, font and text: a large page measures the same few words thousands of times, and each
// measuring otherwise selects a font into the device context and asks it for the extent.
#pragma once

#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_types.h"

#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

class CExtRichMeasureCache {
public:
    struct CMeasure {
        int width = 0;
        RichTextMetrics metrics;
    };
    using MeasureMap = std::unordered_map<RichString, CMeasure>;

    // The measures of one font in one device context (empty at first).
    MeasureMap& ForFont(RichDcHandle dc, const RichLogFont& font) {
        if (m_last && m_last->dc == dc && Same(m_last->font, font)) return Bounded(m_last->measures);
        for (const auto& known : m_fonts)
            if (known->dc == dc && Same(known->font, font)) {
                m_last = known.get();
                return Bounded(m_last->measures);
            }
        m_fonts.push_back(std::make_unique<CFont>(CFont{dc, font, {}}));
        m_last = m_fonts.back().get();
        return m_last->measures;
    }
    void Clear() {
        m_fonts.clear();
        m_last = nullptr;
    }

private:
    struct CFont {
        RichDcHandle dc;
        RichLogFont font;
        MeasureMap measures;
    };
    static bool Same(const RichLogFont& a, const RichLogFont& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
    // A page of ever new words keeps no more than this many of a font.
    static MeasureMap& Bounded(MeasureMap& measures) {
        if (measures.size() >= 65536) measures.clear();
        return measures;
    }

    std::vector<std::unique_ptr<CFont>> m_fonts;  // few on a page
    CFont* m_last = nullptr;
};
