#include "core/range_filter.h"

namespace {

// Pattern codes: rank XXXX 0, XXXY 1, XXYY 2, XXYZ 3, XYZR 4;
// suit aaaa 0, aaab 1, aabb 2, aabc 3, abcd 4.
constexpr std::uint8_t Bits(int a, int b = -1, int c = -1, int d = -1) {
    std::uint8_t mask = 0;
    for (int code : {a, b, c, d}) {
        if (code >= 0) mask = static_cast<std::uint8_t>(mask | (1u << code));
    }
    return mask;
}

constexpr FilterKeyword kKeywords[] = {
    {L"np", FilterKind::RankPattern, Bits(4)},
    {L"nt", FilterKind::RankPattern, Bits(2, 3, 4)},
    {L"nq", FilterKind::RankPattern, Bits(1, 2, 3, 4)},
    {L"op", FilterKind::RankPattern, Bits(3)},
    {L"alop", FilterKind::RankPattern, Bits(0, 1, 2, 3)},
    {L"tp", FilterKind::RankPattern, Bits(2)},
    {L"tr", FilterKind::RankPattern, Bits(1)},
    {L"altr", FilterKind::RankPattern, Bits(0, 1)},
    {L"qu", FilterKind::RankPattern, Bits(0)},
    {L"rb", FilterKind::SuitPattern, Bits(4)},
    {L"ss", FilterKind::SuitPattern, Bits(3)},
    {L"alss", FilterKind::SuitPattern, Bits(0, 1, 2, 3)},
    {L"os", FilterKind::SuitPattern, Bits(0, 1, 3)},
    {L"ds", FilterKind::SuitPattern, Bits(2)},
    {L"ts", FilterKind::SuitPattern, Bits(1)},
    {L"alts", FilterKind::SuitPattern, Bits(0, 1)},
    {L"mt", FilterKind::SuitPattern, Bits(0)},
    {L"sa", FilterKind::SuitedAce, 0},
    {L"sna", FilterKind::SuitedNonAce, 0},
};

}  // namespace

const FilterKeyword* FindFilterKeyword(std::wstring_view text) {
    for (const FilterKeyword& keyword : kKeywords) {
        if (text == keyword.text) return &keyword;
    }
    return nullptr;
}
