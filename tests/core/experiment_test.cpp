// The hand-against-random-hands experiment and the developer command's loop.

#include "core/experiment_random.h"
#include "core/experiment_run.h"
#include "core/platform_random.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numeric>
#include <sstream>

namespace {

class Experiment : public testing::Test {
protected:
    void SetUp() override { SetRandomTestSeed(41); }
    void TearDown() override { ClearRandomTestSeed(); }
};

struct Results {
    double highWin[kExperimentSeats], highTie[kExperimentSeats], lowWin[kExperimentSeats];
    double lowTie[kExperimentSeats], scoop[kExperimentSeats], equity[kExperimentSeats];
    int code = 0;
};

Results Simulate(const wchar_t* hand)
{
    Results r;
    std::fill(std::begin(r.equity), std::end(r.equity), -1.0);
    r.code = SimulateHandVsRandomHands(hand, r.highWin, r.highTie, r.lowWin, r.lowTie, r.scoop, r.equity);
    return r;
}

TEST_F(Experiment, SeatsShareEveryPotAndTheRandomSeatsAreAlike)
{
    const Results r = Simulate(L"AhAdKhKd");
    ASSERT_EQ(r.code, 0);
    EXPECT_NEAR(std::accumulate(r.equity, r.equity + kExperimentSeats, 0.0), 100.0, 1e-9);
    // Each half pot goes to someone whenever it is played.
    const double high = std::accumulate(r.highWin, r.highWin + 8, 0.0) + std::accumulate(r.highTie, r.highTie + 8, 0.0);
    EXPECT_NEAR(high, 100.0, 1e-9);
    const double low = std::accumulate(r.lowWin, r.lowWin + 8, 0.0) + std::accumulate(r.lowTie, r.lowTie + 8, 0.0);
    EXPECT_GT(low, 20.0);
    EXPECT_LT(low, 100.0);
    // A strong hand beats its fair share of one pot in eight; the others are alike.
    EXPECT_GT(r.equity[0], 100.0 / 8 + 3);
    const double others = (100.0 - r.equity[0]) / 7;
    for (int k = 1; k < kExperimentSeats; ++k) {
        EXPECT_NEAR(r.equity[k], others, 0.5) << k;
        EXPECT_LE(r.scoop[k], r.highWin[k]);
    }
}

TEST_F(Experiment, SameSeedSameResults)
{
    const Results a = Simulate(L"Ts9s8d7d");
    SetRandomTestSeed(41);
    const Results b = Simulate(L"Ts9s8d7d");
    EXPECT_TRUE(std::equal(a.equity, a.equity + 8, b.equity));
    EXPECT_TRUE(std::equal(a.scoop, a.scoop + 8, b.scoop));
}

TEST_F(Experiment, MissingArrayOrHandGiveMinusFour)
{
    double v[6][kExperimentSeats];
    EXPECT_EQ(SimulateHandVsRandomHands(L"AhAdKhKd", v[0], v[1], v[2], v[3], nullptr, v[5]), -4);
    const Results twice = Simulate(L"AhAhKhKd");
    EXPECT_EQ(twice.code, -4);
    EXPECT_EQ(twice.equity[0], 0.0);
    EXPECT_EQ(Simulate(L"").code, -4);
}

TEST(DealRandomHand, FourCardsAvoidingTheExcludedOnes)
{
    SetRandomTestSeed(5);
    const CardMask excluded = ~CardMask{0} ^ (CardMask{0x1F} << 16);  // all but five clubs
    for (int i = 0; i < 200; ++i) {
        const CardMask hand = DealRandomHand(excluded);
        EXPECT_EQ(pokereval::numCards(hand), 4);
        EXPECT_EQ(hand & excluded, 0u);
    }
    ClearRandomTestSeed();
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ExperimentLine, NameAndSixPercentages)
{
    EXPECT_EQ(FormatExperimentLine(L"AaAbKaKb", 58.664, 40.1, 1.25, 20, 3.5, 100),
              L"AaAbKaKb\t 58.66%\t 40.10%\t  1.25%\t 20.00%\t  3.50%\t100.00%\n");
}

// Two classes, filled by hand.
void TwoClasses(COmahaBase& base)
{
    base.m_classes.reset(new HandClassRecord[kClassCount]);
    base.m_classCount = 2;
    const CardPair aakk[4] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    const CardPair low[4] = {{0, 0}, {11, 0}, {12, 1}, {10, 2}};  // Ad 3d 2h 4s
    std::copy(aakk, aakk + 4, base.m_classes[0].cards);
    std::copy(low, low + 4, base.m_classes[1].cards);
}

class Collect : public ExperimentProgress {
public:
    explicit Collect(int stopAfter) : m_stopAfter(stopAfter) {}
    bool ClassDone(int classIndex, const std::wstring& name) override
    {
        captions.push_back(std::to_wstring(classIndex) + L": " + name);
        return static_cast<int>(captions.size()) < m_stopAfter;
    }
    std::vector<std::wstring> captions;

private:
    int m_stopAfter;
};

TEST_F(Experiment, CommandAppendsOneLinePerClassToAnExistingFile)
{
    TempFolder folder;
    COmahaBase base;
    TwoClasses(base);
    std::ofstream(folder.path() / "Omaharandom.txt", std::ios::binary) << "earlier\n";
    Collect progress(99);
    EXPECT_EQ(RunRandomHandsExperiment(base, 0, &progress, folder.path()), 2);
    EXPECT_EQ(progress.captions, (std::vector<std::wstring>{L"0: AaAbKaKb", L"1: Aa3a2b4c"}));
    std::istringstream lines(ReadText(folder.path() / "Omaharandom.txt"));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "earlier");
    for (const char* name : {"AaAbKaKb\t", "Aa3a2b4c\t"}) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.rfind(name, 0), 0u) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '%'), 6) << line;
    }
    EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(Experiment, CommandStopsOnRequestAndCreatesNoFile)
{
    TempFolder folder;
    COmahaBase base;
    TwoClasses(base);
    Collect stopAtOnce(1);
    EXPECT_EQ(RunRandomHandsExperiment(base, 0, &stopAtOnce, folder.path()), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Omaharandom.txt"));
    // From the last class exactly one runs; from beyond it none.
    Collect all(99);
    EXPECT_EQ(RunRandomHandsExperiment(base, 1, &all, folder.path()), 1);
    EXPECT_EQ(RunRandomHandsExperiment(base, 2, &all, folder.path()), 0);
    EXPECT_EQ(all.captions.size(), 1u);
}

}  // namespace
