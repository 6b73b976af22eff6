// Developer dumps, the Hi/Lo ranking import and the table rewriter.

#include "core/devdump_tables.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// One class and two hands, filled by hand.
void SmallTables(COmahaBase& base)
{
    base.m_classes.reset(new HandClassRecord[kClassCount]);
    base.m_hands.reset(new HandRecord[kHandCount]());
    base.m_classCount = 1;
    HandClassRecord& c = base.m_classes[0];
    c.cards[0] = {0, 0};
    c.cards[1] = {0, 1};
    c.cards[2] = {1, 0};
    c.cards[3] = {1, 1};
    c.rankPattern = 2;
    c.suitPattern = 5;  // not set: no name in the dump
    c.straightShapes = 3;
    c.straightFlushShapes = 1;
    c.points = 13.5;
    c.points2 = 27;
    c.comboCount = 6;
    c.firstHand = 0;
    c.endHand = 6;
    c.stats[kStatWin][0] = 6512;
    c.stats[kStatSplit][0] = 7;
    c.stats[kStatPos][0] = 3;
    c.stats[kStatEqHiLo][0] = 5800;
    c.stats[kStatPosHiLo][0] = 16431;
    c.stats[kStatScoop][10] = 1;
    base.m_hands[1] = HandRecord{{1, 1, 0, 0}, {3, 2, 1, 0}, 1};
}

TEST(DumpTables, WritesEveryClassAndHandAsTabSeparatedText)
{
    TempFolder folder;
    COmahaBase base;
    SmallTables(base);
    ASSERT_TRUE(DumpTables(base, folder.path()));

    const std::vector<std::string> classes = Lines(ReadText(folder.path() / "Omaha16432.txt"));
    ASSERT_EQ(classes.size(), 13u);
    EXPECT_EQ(classes[0], "    0\tA0A1K0K1\tRank=XXYY\tSuit=\tHP=13.5\tHP2=27.0\tC=6\tSS=3\tSFS=1\tSI=0\tEI=6");
    EXPECT_EQ(classes[1], "\tWin\tSplit\tPos\tEqHiLo\tWinHi\tSplitHi\tWinLo\tSplitLo\tScoop\tPosHiLo");
    EXPECT_EQ(classes[2], "\t65.12\t0.07\t3\t58.00\t0.00\t0.00\t0.00\t0.00\t0.00\t16431");
    EXPECT_EQ(classes[3], "\t0.00\t0.00\t0\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t0");
    EXPECT_EQ(classes[12], "\t0.00\t0.00\t0\t0.00\t0.00\t0.00\t0.00\t0.00\t0.01\t0");

    const std::string hands = ReadText(folder.path() / "Omaha270725.txt");
    EXPECT_EQ(hands.find('\r'), std::string::npos);  // line feeds alone
    const std::vector<std::string> lines = Lines(hands);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kHandCount));
    EXPECT_EQ(lines[0], "    0\tAdAdAdAd\tI=0");
    EXPECT_EQ(lines[1], "    1\tKcKsAhAd\tI=1");
    EXPECT_EQ(lines[kHandCount - 1], "270724\tAdAdAdAd\tI=0");
}

TEST(DumpTables, WithoutTableFilesListsOnlyTheAllZeroHands)
{
    TempFolder folder;
    COmahaBase base;
    base.LoadTables(folder.path());  // nothing there
    std::filesystem::create_directory(folder.path() / "out");
    ASSERT_TRUE(DumpTables(base, folder.path() / "out"));
    EXPECT_EQ(ReadText(folder.path() / "out" / "Omaha16432.txt"), "");
    const std::vector<std::string> lines = Lines(ReadText(folder.path() / "out" / "Omaha270725.txt"));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kHandCount));
    EXPECT_EQ(lines[12345], "12345\tAdAdAdAd\tI=0");
}

TEST(DumpTables, ExistingFilesAreEmptiedAndAMissingFolderWritesNothing)
{
    TempFolder folder;
    WriteText(folder.path() / "Omaha16432.txt", std::string(100000, 'x'));
    COmahaBase base;
    SmallTables(base);
    base.m_classCount = 0;
    ASSERT_TRUE(DumpTables(base, folder.path()));
    EXPECT_EQ(ReadText(folder.path() / "Omaha16432.txt"), "");
    EXPECT_FALSE(DumpTables(base, folder.path() / "missing"));
}

// The shipped tables, loaded once for the import and rewrite tests.
class ShippedTables : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_base = new COmahaBase;
        ASSERT_TRUE(s_base->LoadTables(std::filesystem::path(OV_DATA_DIR)).Loaded());
    }
    static void TearDownTestSuite()
    {
        delete s_base;
        s_base = nullptr;
    }
    // A fresh copy of the shipped tables.
    static void Copy(COmahaBase& base)
    {
        base.m_classes.reset(new HandClassRecord[kClassCount]);
        base.m_hands.reset(new HandRecord[kHandCount]);
        std::copy(s_base->m_classes.get(), s_base->m_classes.get() + kClassCount, base.m_classes.get());
        std::copy(s_base->m_hands.get(), s_base->m_hands.get() + kHandCount, base.m_hands.get());
        base.m_classCount = s_base->m_classCount;
    }
    static int Class(const wchar_t* representative) { return s_base->FindClassIndexByText(representative); }

    static COmahaBase* s_base;
};
COmahaBase* ShippedTables::s_base = nullptr;

TEST_F(ShippedTables, ImportStoresTheRowOfEachFileInFileOrder)
{
    TempFolder folder;
    const int aakk = Class(L"AdAhKdKh");
    const int aaqq = Class(L"AdAhQdQh");
    ASSERT_GE(aakk, 0);
    ASSERT_GE(aaqq, 0);
    // Suits a, b, c, d stand for d, h, s, c.
    WriteText(folder.path() / "OmahaHiLorandomVs3Sorted.txt",
              "KbKaAbAa\t 52.31%\t 40.10%\t  1.25%\t 20.00%\t  3.50%\t 15.75%\r\n"  // AA KK in another order
              "AcAdKcKd\t 50.00%\t 1.00%\t 1.00%\t 1.00%\t 1.00%\t 1.00%\n"         // another member: not found
              "AaAbQaQb\t 49.99%\t 2.00%\t 3.00%\n"                                  // fields missing
              "  AaAbQaQb\t 48.00%\t 2.00%\t 3.00%\t 4.00%\t 5.00%\t 6.00%  \n"
              "\n");
    // Against ten random hands: there is no row for it.
    WriteText(folder.path() / "OmahaHiLorandomVs10Sorted.txt",
              "AaAbQaQb\t 11.00%\t 2.00%\t 3.00%\t 4.00%\t 5.00%\t 6.00%\n");
    COmahaBase base;
    Copy(base);
    EXPECT_EQ(ImportHiLoRankings(base, folder.path()), 2);

    const auto& a = base.m_classes[aakk].stats;
    EXPECT_EQ(a[kStatEqHiLo][2], 5231);
    EXPECT_EQ(a[kStatWinHi][2], 4010);
    EXPECT_EQ(a[kStatSplitHi][2], 125);
    EXPECT_EQ(a[kStatWinLo][2], 2000);
    EXPECT_EQ(a[kStatSplitLo][2], 350);
    EXPECT_EQ(a[kStatScoop][2], 1575);
    EXPECT_EQ(a[kStatPosHiLo][2], 0);
    const auto& q = base.m_classes[aaqq].stats;
    EXPECT_EQ(q[kStatEqHiLo][2], 4800);
    EXPECT_EQ(q[kStatScoop][2], 600);
    EXPECT_EQ(q[kStatPosHiLo][2], 1);  // the line of another member did not count

    // Nothing else changed: no other row, no Hi column, no other class.
    for (int k = 0; k < kClassCount; ++k) {
        for (int column = 0; column < kStatColumns; ++column) {
            for (int row = 0; row < kStatRows; ++row) {
                const bool imported = (k == aakk || k == aaqq) && row == 2 && column >= kStatEqHiLo;
                if (!imported) {
                    ASSERT_EQ(base.m_classes[k].stats[column][row], s_base->m_classes[k].stats[column][row])
                        << k << " " << column << " " << row;
                }
            }
        }
    }
}

TEST_F(ShippedTables, DumpImportRewriteRoundTrip)
{
    TempFolder folder;
    COmahaBase base;
    Copy(base);
    // A ranking file for every row, written as the experiment writes its lines, best first.
    for (int n = 1; n <= 9; ++n) {
        std::string text;
        for (int i = 0; i < 50; ++i) {
            const int k = (i * 331 + n * 17) % kClassCount;
            char line[160];
            std::snprintf(line, sizeof line, "%ls\t%6.2lf%%\t%6.2lf%%\t%6.2lf%%\t%6.2lf%%\t%6.2lf%%\t%6.2lf%%\n",
                          base.GetSingleHand(k, 0).c_str(), 60 - i * 0.25, 30.5, 1.25, 20.0 + n, 0.75, 10.0 + i);
            text += line;
        }
        WriteText(folder.path() / ("OmahaHiLorandomVs" + std::to_string(n) + "Sorted.txt"), text);
    }
    EXPECT_EQ(ImportHiLoRankings(base, folder.path()), 9 * 50);
    EXPECT_EQ(base.m_classes[(0 * 331 + 5 * 17) % kClassCount].stats[kStatEqHiLo][4], 6000);
    EXPECT_EQ(base.m_classes[(3 * 331 + 5 * 17) % kClassCount].stats[kStatPosHiLo][4], 3);

    const TableWriteResult written = WriteTableFiles(base, folder.path());
    ASSERT_TRUE(written.ok) << std::string(written.message.begin(), written.message.end());
    COmahaBase reloaded;
    ASSERT_TRUE(reloaded.LoadTables(folder.path() / "Omaha.bin2", folder.path() / "Combos.bin2").Loaded());
    for (int k = 0; k < kClassCount; ++k)
        ASSERT_EQ(reloaded.m_classes[k], base.m_classes[k]) << k;

    // The dumps of both agree line for line.
    std::filesystem::create_directory(folder.path() / "a");
    std::filesystem::create_directory(folder.path() / "b");
    ASSERT_TRUE(DumpTables(base, folder.path() / "a"));
    ASSERT_TRUE(DumpTables(reloaded, folder.path() / "b"));
    EXPECT_TRUE(ReadText(folder.path() / "a" / "Omaha16432.txt") == ReadText(folder.path() / "b" / "Omaha16432.txt"));
    EXPECT_TRUE(ReadText(folder.path() / "a" / "Omaha270725.txt") ==
                ReadText(folder.path() / "b" / "Omaha270725.txt"));
}

TEST_F(ShippedTables, RewriterRefusesAValueTheFilesCannotHold)
{
    TempFolder folder;
    WriteText(folder.path() / "OmahaHiLorandomVs1Sorted.txt", "AaAbKaKb\t-5.00%\t1.00%\t1.00%\t1.00%\t1.00%\t1.00%\n");
    COmahaBase base;
    Copy(base);
    ASSERT_EQ(ImportHiLoRankings(base, folder.path()), 1);
    EXPECT_EQ(base.m_classes[Class(L"AdAhKdKh")].stats[kStatEqHiLo][0], -500);  // stored as read
    const TableWriteResult written = WriteTableFiles(base, folder.path());
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.message.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Omaha.bin2"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Combos.bin2"));
}

}  // namespace
