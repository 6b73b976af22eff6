// Fills the statistics of the starting-hand classes in "Omaha.bin": equity
// against 1 to 9 random hands in Omaha Hi and Hi/Lo, positions, and the
// multiway ranking. Resumable: finished classes go to a checkpoint file, and
// a run started again with the same checkpoint, seed and deal count goes on
// where it stopped (SIGINT/SIGTERM finish the classes under way first).
// How the shipped files were made: tools/statsgen/README.md.

#include "core/cardtext.h"
#include "core/handbase.h"
#include "tools/statsgen/finish.h"
#include "tools/statsgen/runner.h"
#include "tools/statsgen/simulate.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::atomic<bool> g_stop{false};

extern "C" void OnSignal(int)
{
    g_stop = true;
}

struct Options {
    std::uint64_t seed = 0;
    std::uint64_t deals = 0;
    int threads = 2;
    std::string tables = "data";
    std::string out;
    std::string checkpoint;
    bool estimate = false;
};

int Usage()
{
    std::fprintf(stderr,
                 "usage: make_stats --seed N --deals N (--checkpoint FILE [--out DIR] | --estimate)\n"
                 "                  [--tables DIR] [--threads N]\n"
                 "  --tables DIR      folder of the Omaha.bin and Combos.bin to fill (default data)\n"
                 "  --checkpoint FILE finished classes; created, or continued when it exists\n"
                 "  --out DIR         where to write the filled Omaha.bin and Combos.bin once every\n"
                 "                    class is finished (without it the run only fills the checkpoint)\n"
                 "  --estimate        time a sample of classes and print the run time, write nothing\n");
    return 2;
}

bool ParseNumber(const char* text, std::uint64_t* value)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-')
        return false;
    *value = v;
    return true;
}

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        std::uint64_t number = 0;
        if (arg == "--estimate") {
            o.estimate = true;
        } else if (!hasValue) {
            return false;
        } else if (arg == "--seed") {
            if (!ParseNumber(argv[++i], &o.seed)) return false;
        } else if (arg == "--deals") {
            if (!ParseNumber(argv[++i], &o.deals)) return false;
        } else if (arg == "--threads") {
            if (!ParseNumber(argv[++i], &number) || number < 1 || number > 256) return false;
            o.threads = static_cast<int>(number);
        } else if (arg == "--tables") {
            o.tables = argv[++i];
        } else if (arg == "--out") {
            o.out = argv[++i];
        } else if (arg == "--checkpoint") {
            o.checkpoint = argv[++i];
        } else {
            return false;
        }
    }
    return o.deals > 0 && (o.estimate || !o.checkpoint.empty());
}

std::string Duration(double seconds)
{
    const long s = static_cast<long>(seconds + 0.5);
    char text[64];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::vector<pokereval::CardMask> ClassHands(const COmahaBase& base)
{
    std::vector<pokereval::CardMask> hands(kClassCount);
    for (int k = 0; k < kClassCount; ++k) {
        for (const CardPair& c : base.m_classes[k].cards)
            hands[k] |= CardMaskOf(c.rank, c.suit);
    }
    return hands;
}

int Estimate(const Options& o, const std::vector<pokereval::CardMask>& hands)
{
    // Classes spread over the table, as many per thread as a short sample needs.
    std::vector<int> sample;
    for (int k = 0; k < kClassCount; k += kClassCount / (8 * o.threads))
        sample.push_back(k);
    std::atomic<std::size_t> next{0};
    const auto start = std::chrono::steady_clock::now();
    auto work = [&] {
        for (std::size_t at; (at = next.fetch_add(1)) < sample.size();)
            statsgen::SimulateClass(hands[sample[at]], o.seed, sample[at], o.deals);
    };
    std::vector<std::thread> workers;
    for (int i = 0; i < o.threads; ++i)
        workers.emplace_back(work);
    for (std::thread& t : workers)
        t.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double perClass = seconds / static_cast<double>(sample.size());
    std::printf("%zu classes of %llu deals on %d threads in %.1f s: %.3f s per class\n", sample.size(),
                static_cast<unsigned long long>(o.deals), o.threads, seconds, perClass);
    std::printf("estimated run time for %d classes: %s\n", kClassCount, Duration(perClass * kClassCount).c_str());
    return 0;
}

void PrintBest(const COmahaBase& base)
{
    for (int column : {int(kStatPos), int(kStatPosHiLo)}) {
        for (int row : {0, 8, kOutsideRankingRow}) {
            std::printf("%s row %d, best:", column == kStatPos ? "Hi   " : "Hi/Lo", row);
            for (int p = 0; p < 3; ++p) {
                for (int k = 0; k < kClassCount; ++k) {
                    const HandClassRecord& c = base.m_classes[k];
                    if (c.stats[column][row] != p)
                        continue;
                    const double eq = column == kStatPos ? (c.stats[kStatWin][row] + c.stats[kStatSplit][row]) / 100.0
                                                         : c.stats[kStatEqHiLo][row] / 100.0;
                    std::printf("  %ls", FormatHandClassText(c.cards, 1, 0).c_str());
                    if (row != kOutsideRankingRow)
                        std::printf(" %.2f%%", eq);
                }
            }
            std::printf("\n");
        }
    }
}

int Finish(const Options& o, COmahaBase& base, const statsgen::Checkpoint& checkpoint)
{
    std::vector<statsgen::ClassTally> tallies(kClassCount);
    for (const auto& [k, tally] : checkpoint.Finished())
        tallies[k] = tally;
    statsgen::FillStats(tallies, base.m_classes.get());
    const std::vector<std::string> problems = statsgen::CheckStats(base.m_classes.get(), 0.05);
    for (const std::string& p : problems)
        std::fprintf(stderr, "make_stats: check failed: %s\n", p.c_str());
    if (!problems.empty())
        return 1;
    PrintBest(base);
    const std::filesystem::path out = o.out;
    const TableWriteResult written = base.WriteTables(out / kClassFileName, out / kHandFileName);
    if (!written.ok) {
        std::fprintf(stderr, "make_stats: %ls\n", written.message.c_str());
        return 1;
    }
    COmahaBase check;
    if (!check.LoadTables(out).Loaded()) {
        std::fprintf(stderr, "make_stats: the written files do not load\n");
        return 1;
    }
    for (int k = 0; k < kClassCount; ++k) {
        if (!(check.m_classes[k] == base.m_classes[k])) {
            std::fprintf(stderr, "make_stats: class %d reads back differently\n", k);
            return 1;
        }
    }
    std::printf("wrote %s\n", (out / kClassFileName).string().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!ParseOptions(argc, argv, o))
        return Usage();
    COmahaBase base;
    const TableLoadResult loaded = base.LoadTables(std::filesystem::path(o.tables));
    if (!loaded.Loaded()) {
        std::fprintf(stderr, "make_stats: the tables in %s do not load\n%ls\n", o.tables.c_str(),
                     loaded.Message().c_str());
        return 1;
    }
    const std::vector<pokereval::CardMask> hands = ClassHands(base);
    if (o.estimate)
        return Estimate(o, hands);

    // The folders of the checkpoint and of the output are made when missing.
    std::error_code ignored;
    const std::filesystem::path checkpointFolder = std::filesystem::path(o.checkpoint).parent_path();
    if (!checkpointFolder.empty())
        std::filesystem::create_directories(checkpointFolder, ignored);
    if (!o.out.empty())
        std::filesystem::create_directories(o.out, ignored);
    statsgen::Checkpoint checkpoint;
    std::string error;
    if (!checkpoint.Open(o.checkpoint, {o.seed, o.deals}, &error)) {
        std::fprintf(stderr, "make_stats: %s\n", error.c_str());
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    const int already = static_cast<int>(checkpoint.Finished().size());
    std::printf("seed %llu, %llu deals per class, %d threads: %d of %d classes already finished\n",
                static_cast<unsigned long long>(o.seed), static_cast<unsigned long long>(o.deals), o.threads,
                already, kClassCount);
    std::fflush(stdout);
    std::vector<int> all(kClassCount);
    for (int k = 0; k < kClassCount; ++k)
        all[k] = k;
    const auto start = std::chrono::steady_clock::now();
    auto lastReport = start;
    statsgen::RunOptions run{{o.seed, o.deals}, o.threads};
    const bool ok = statsgen::RunClasses(hands, all, run, checkpoint, g_stop, [&](int finished, int) {
        const auto now = std::chrono::steady_clock::now();
        if (finished != kClassCount && now - lastReport < std::chrono::seconds(60))
            return;
        lastReport = now;
        const double seconds = std::chrono::duration<double>(now - start).count();
        const int done = finished - already;
        const double eta = seconds / done * (kClassCount - finished);
        std::printf("%d / %d classes, %.2f classes/s, elapsed %s, remaining %s\n", finished, kClassCount,
                    done / seconds, Duration(seconds).c_str(), Duration(eta).c_str());
        std::fflush(stdout);
    });
    if (!ok) {
        std::fprintf(stderr, "make_stats: writing the checkpoint failed\n");
        return 1;
    }
    const int finished = static_cast<int>(checkpoint.Finished().size());
    if (finished < kClassCount) {
        std::printf("stopped: %d of %d classes finished; run the same command again to go on\n", finished,
                    kClassCount);
        return 3;
    }
    if (o.out.empty()) {
        std::printf("every class is finished; add --out DIR to write the tables\n");
        return 0;
    }
    return Finish(o, base, checkpoint);
}
