#include "core/devdump_tables.h"

#include "core/cards.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

char RankLetter(int rankIndex)
{
    return rankIndex >= 0 && rankIndex <= 12 ? kRankLetters[rankIndex] : '?';
}

char SuitLetter(int suitIndex)
{
    return suitIndex >= 0 && suitIndex <= 3 ? kSuitLetters[suitIndex] : '?';
}

// The pattern names of codes 0..4; nothing for "not set" or anything else.
std::string PatternName(const std::wstring& name, int code)
{
    return code >= 0 && code < kPatternCount ? std::string(name.begin(), name.end()) : std::string();
}

template <class... Args>
void Append(std::string& line, const char* format, Args... args)
{
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n > 0)
        line.append(buffer, static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

void AppendClass(std::string& out, int index, const HandClassRecord& c)
{
    Append(out, "%5d\t", index);
    for (const CardPair& card : c.cards) {
        Append(out, "%c", RankLetter(card.rank));
        Append(out, "%d", card.suit);
    }
    out += '\t';
    out += "Rank=" + PatternName(COmahaBase::GetRankPatternName(c.rankPattern), c.rankPattern) + "\t";
    out += "Suit=" + PatternName(COmahaBase::GetSuitPatternName(c.suitPattern), c.suitPattern) + "\t";
    Append(out, "HP=%0.1lf\t", c.points);
    Append(out, "HP2=%0.1lf\t", c.points2);
    Append(out, "C=%d\t", c.comboCount);
    Append(out, "SS=%d\t", c.straightShapes);
    Append(out, "SFS=%d\t", c.straightFlushShapes);
    Append(out, "SI=%0d\tEI=%0d\n", c.firstHand, c.endHand);
    out += "\tWin\tSplit\tPos\tEqHiLo\tWinHi\tSplitHi\tWinLo\tSplitLo\tScoop\tPosHiLo\n";
    for (int row = 0; row < kStatRows; ++row) {
        auto percent = [&](int column) { return c.stats[column][row] / 100.0; };
        Append(out, "\t%0.2lf\t%0.2lf\t%0d", percent(kStatWin), percent(kStatSplit), c.stats[kStatPos][row]);
        for (int column = kStatEqHiLo; column <= kStatScoop; ++column)
            Append(out, "\t%0.2lf", percent(column));
        Append(out, "\t%0d\n", c.stats[kStatPosHiLo][row]);
    }
}

void AppendHand(std::string& out, int index, const HandRecord& h)
{
    Append(out, "%5d\t", index);
    for (int k = 0; k < 4; ++k) {
        out += RankLetter(h.ranks[k]);
        out += SuitLetter(h.suits[k]);
    }
    Append(out, "\tI=%0d\n", h.classIndex);
}

// Creates or empties the file and writes the text; lines end in a line feed alone.
bool WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

}  // namespace

bool DumpTables(const COmahaBase& base, const std::filesystem::path& folder)
{
    std::string classes;
    const int classCount = base.m_classes ? std::min<int>(base.m_classCount, kClassCount) : 0;
    for (int i = 0; i < classCount; ++i)
        AppendClass(classes, i, base.m_classes[i]);
    const bool classesWritten = WriteText(folder / kClassDumpName, classes);

    // Tables that were never loaded read as all-zero hands, as after a missing hand file.
    std::string hands;
    hands.reserve(static_cast<std::size_t>(kHandCount) * 22);
    for (int i = 0; i < kHandCount; ++i)
        AppendHand(hands, i, base.m_hands ? base.m_hands[i] : HandRecord{});
    const bool handsWritten = WriteText(folder / kHandDumpName, hands);
    return classesWritten && handsWritten;
}

TableWriteResult WriteTableFiles(const COmahaBase& base, const std::filesystem::path& folder)
{
    return base.WriteTables(folder / kClassRewriteName, folder / kHandRewriteName);
}
