#include "core/devdump_tables.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int kFields = 6;

std::string Trimmed(const std::string& line)
{
    constexpr const char* kSpace = " \t\r\n\v\f";
    const auto first = line.find_first_not_of(kSpace);
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(kSpace) - first + 1);
}

// "52.31%" reads as 5231: points and percent signs are dropped and the rest
// read as a decimal integer (0 when it is none).
int FieldValue(std::string field)
{
    field.erase(std::remove_if(field.begin(), field.end(), [](char c) { return c == '.' || c == '%'; }),
                field.end());
    const long value = std::strtol(field.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// The six fields after the hand; false when a tab is missing.
bool SplitFields(const std::string& rest, int values[kFields])
{
    std::size_t at = 0;
    for (int f = 0; f < kFields - 1; ++f) {
        const std::size_t tab = rest.find('\t', at);
        if (tab == std::string::npos)
            return false;
        values[f] = FieldValue(rest.substr(at, tab - at));
        at = tab + 1;
    }
    values[kFields - 1] = FieldValue(rest.substr(at));
    return true;
}

// The files write suits as a, b, c, d for d, h, s, c.
std::wstring HandText(const std::string& text)
{
    std::wstring hand(text.begin(), text.end());
    const std::pair<wchar_t, wchar_t> steps[] = {{L'c', L's'}, {L'd', L'c'}, {L'a', L'd'}, {L'b', L'h'}};
    for (const auto& [from, to] : steps)
        std::replace(hand.begin(), hand.end(), from, to);
    return hand;
}

}  // namespace

int ImportHiLoRankings(COmahaBase& base, const std::filesystem::path& folder)
{
    int stored = 0;
    if (!base.m_classes)
        return stored;
    // Only rows 0-8 hold results against random hands; row 9 is the outside
    // ranking, which a tenth file must not overwrite.
    for (int n = 1; n <= kHiLoRankingFiles; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, kHiLoRankingNameFormat, n);
        std::ifstream in(folder / name);
        if (!in.is_open())
            continue;
        const int row = n - 1;
        int position = 0;
        std::string line;
        while (std::getline(in, line)) {
            line = Trimmed(line);
            if (line.size() < 9)
                continue;
            int values[kFields];
            if (!SplitFields(line.substr(9), values))
                continue;
            const int k = base.FindClassIndexByText(HandText(line.substr(0, 8)));
            if (k < 0 || k >= base.m_classCount)
                continue;
            auto& stats = base.m_classes[k].stats;
            for (int f = 0; f < kFields; ++f)
                stats[kStatEqHiLo + f][row] = values[f];
            stats[kStatPosHiLo][row] = position++;
            ++stored;
        }
    }
    return stored;
}
