#include "tools/statsgen/checkpoint.h"

#include "core/records.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace statsgen {

namespace {

constexpr char kMagic[8] = {'O', 'V', 'S', 'T', 'A', 'T', 'S', '1'};

struct Header {
    char magic[8];
    std::uint64_t seed;
    std::uint64_t deals;
};

struct Record {
    std::int32_t classIndex;
    std::uint32_t reserved;
    std::uint64_t deals;
    double values[kOpponents][6];
    std::uint64_t check;
};

std::uint64_t Fnv(const void* data, std::size_t size)
{
    std::uint64_t h = 0xCBF29CE484222325ull;
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 0x100000001B3ull;
    return h;
}

Record ToRecord(int classIndex, const ClassTally& t)
{
    Record r{};
    r.classIndex = classIndex;
    r.deals = t.deals;
    for (int n = 0; n < kOpponents; ++n) {
        const RowTally& row = t.rows[n];
        const double v[6] = {row.hiWin, row.hiTie, row.loWin, row.loTie, row.scoop, row.pot};
        std::memcpy(r.values[n], v, sizeof v);
    }
    r.check = Fnv(&r, offsetof(Record, check));
    return r;
}

ClassTally FromRecord(const Record& r)
{
    ClassTally t;
    t.deals = r.deals;
    for (int n = 0; n < kOpponents; ++n) {
        const double* v = r.values[n];
        t.rows[n] = RowTally{v[0], v[1], v[2], v[3], v[4], v[5]};
    }
    return t;
}

}  // namespace

Checkpoint::~Checkpoint()
{
    if (m_file)
        std::fclose(m_file);
}

bool Checkpoint::Open(const std::filesystem::path& path, const RunIdentity& run, std::string* error)
{
    m_finished.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        std::FILE* f = std::fopen(path.string().c_str(), "wb");
        if (!f) {
            *error = "cannot create " + path.string();
            return false;
        }
        Header h{};
        std::memcpy(h.magic, kMagic, sizeof kMagic);
        h.seed = run.seed;
        h.deals = run.deals;
        const bool ok = std::fwrite(&h, sizeof h, 1, f) == 1;
        if (std::fclose(f) != 0 || !ok) {
            *error = "cannot write " + path.string();
            return false;
        }
    }

    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f) {
        *error = "cannot read " + path.string();
        return false;
    }
    Header h{};
    const bool headerRead = std::fread(&h, sizeof h, 1, f) == 1;
    if (!headerRead || std::memcmp(h.magic, kMagic, sizeof kMagic) != 0) {
        std::fclose(f);
        *error = path.string() + " is not a checkpoint of this tool";
        return false;
    }
    if (!(RunIdentity{h.seed, h.deals} == run)) {
        std::fclose(f);
        *error = path.string() + " belongs to the run with seed " + std::to_string(h.seed) + " and " +
                 std::to_string(h.deals) + " deals";
        return false;
    }
    std::uintmax_t good = sizeof h;
    Record r;
    while (std::fread(&r, sizeof r, 1, f) == 1) {
        if (r.check != Fnv(&r, offsetof(Record, check)) || r.deals != run.deals || r.classIndex < 0 ||
            r.classIndex >= kClassCount)
            break;
        m_finished.emplace(r.classIndex, FromRecord(r));
        good += sizeof r;
    }
    std::fclose(f);
    // Whatever follows the last sound record was torn by a stop.
    if (std::filesystem::file_size(path, ec) != good) {
        std::filesystem::resize_file(path, good, ec);
        if (ec) {
            *error = "cannot cut the torn end of " + path.string();
            return false;
        }
    }
    m_file = std::fopen(path.string().c_str(), "ab");
    if (!m_file) {
        *error = "cannot append to " + path.string();
        return false;
    }
    return true;
}

bool Checkpoint::Add(int classIndex, const ClassTally& tally)
{
    const Record r = ToRecord(classIndex, tally);
    if (!m_file || std::fwrite(&r, sizeof r, 1, m_file) != 1 || std::fflush(m_file) != 0)
        return false;
    m_finished[classIndex] = tally;
    return true;
}

}  // namespace statsgen
