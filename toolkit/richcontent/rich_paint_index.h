// What the painter may pass over without looking at each child. A long listing keeps millions of
// children under one element, and a screen shows a few hundred of them: testing every child
// against the clip cost about 70 ms a screen. The children are taken in fixed runs ("chunks"),
// each with the union of its children's ink and whether every one of them paints only there, so
// a chunk wholly outside the clip is passed over at once.
//
// The index holds list positions and rectangles: the document drops it whenever a child is
// appended or items are restyled, laid out, moved, scrolled or destroyed (InvalidatePaintIndex),
// and the painter makes it again on first use.
#pragma once

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_types.h"

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

// A run's ink: its box with room for overhanging glyphs (as its own paint tests it).
RichRect RichRunInk(const CExtRichContentItem* run);
bool RichIsRun(const CExtRichContentItem* item);
// Whether the painter draws a run where it stands (not delayed to another pass).
bool RichRunPaintsInPlace(const CExtRichContentItem* item);
// Whether an element in the normal flow draws nothing beyond its box and its runs' ink: not
// positioned, moved, delayed or scrolled, no list marker, background image or extent, no negative
// margin, no docked children.
bool RichElementPaintsInPlace(CExtRichContentItem* element);

class CExtRichPaintIndex {
public:
    struct Chunk {
        RichPosition m_first = nullptr;  // in the parent's child list
        RichRect m_ink;                  // holds the ink of every child of the chunk
        int m_count = 0;
        bool m_plain = false;            // every child paints only inside m_ink
    };
    // Fewer children than this are tested one by one.
    static constexpr std::size_t kMinChildren = 256;
    static constexpr int kChunkSize = 32;

    using Chunks = std::shared_ptr<const std::vector<Chunk>>;
    // The chunks of an element's children in order, made on first use; null below kMinChildren.
    // The painter holds them while it walks: painting a child may drop the index (a scroll
    // position put back in range), which must not free what the walk still reads.
    Chunks For(CExtRichContentItem* parent);
    void Clear() { m_chunks.clear(); }
    bool IsEmpty() const { return m_chunks.empty(); }

private:
    std::unordered_map<const CExtRichContentItem*, Chunks> m_chunks;
};
