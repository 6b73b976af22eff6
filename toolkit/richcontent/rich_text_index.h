// The text of a laid-out document as a reader selects and copies it: its runs in document order
// with what a copy puts between two of them (a blank, a tab between the cells of a row, line ends
// between blocks and rows and at breaks), text positions along it, the position nearest to a
// point and the text between two positions.
//
// Positions: run i holds start(i) .. start(i) + length(i); a separator takes one position between
// two runs. Generated runs (::before, ::after, list markers) are left out, as a copy leaves them,
// which also keeps positions the same across layouts (the passes make those runs anew). The index
// holds items and their rectangles: build it again after every layout.
#pragma once

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_types.h"

#include <cstddef>
#include <vector>

class CExtRichTextIndex {
public:
    struct Run {
        CExtRichContentItem* m_pItem = nullptr;
        RichRect m_rc;            // the run's box in document coordinates
        long m_nStart = 0;        // the position before its first character
        int m_nLength = 0;
        // What stands between the previous run and this one: that many line ends, or else the
        // blank or tab m_chSeparator (0: nothing). Kept small: a long page has millions of runs.
        int m_nLineEnds = 0;
        char16_t m_chSeparator = 0;
        RichString Separator() const;
        void AppendSeparator(RichString& out) const;
    };

    void Build(CExtRichContentItem* root);
    // Whether a document has a run the index would hold, found without building the index.
    static bool HasRun(CExtRichContentItem* root);
    void Clear() {
        m_runs.clear();
        m_maxBottom.clear();
        m_minTop.clear();
    }
    bool IsEmpty() const { return m_runs.empty(); }
    long Length() const;
    const std::vector<Run>& Runs() const { return m_runs; }

    // The position nearest to a document point: the closest line first, then the closest run on
    // it, then the nearest character boundary (measured in the run's font on `dc`); -1 without text.
    long PositionAt(RichDcHandle dc, RichPoint pt) const;
    // The text between two positions (either order), separators included.
    RichString TextBetween(long from, long to) const;
    // The runs that can lie across the rows top .. bottom (document coordinates): none before
    // `from`, none from `to` on. Runs are in reading order, not strictly top to bottom (a taller
    // run of a line starts above its neighbours), so the bounds come from the highest bottom
    // before each run and the lowest top after it.
    void RunsAcross(int top, int bottom, std::size_t& from, std::size_t& to) const;
    // The run a position falls in (a separator's position belongs to the run before it) and the
    // offset in it; false without runs.
    bool Locate(long position, std::size_t& run, int& offset) const;
    // The word (run) around a position.
    void WordAround(long position, long& from, long& to) const;
    // The distance from a run's left edge to the boundary before character `offset`.
    static int OffsetX(RichDcHandle dc, const Run& run, int offset);
    static const RichString& RunText(const CExtRichContentItem* item);

private:
    std::vector<Run> m_runs;
    std::vector<int> m_maxBottom;  // the highest bottom of runs 0 .. i
    std::vector<int> m_minTop;     // the lowest top of runs i .. end
};
