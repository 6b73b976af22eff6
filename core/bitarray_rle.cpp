// Compressed form of a hand set: a header byte of 1, then tokens that each
// stand for whole plain bytes: a literal byte (neither 0x00 nor 0xFF), or
// 0x00 / 0xFF followed by a 16-bit little-endian count of such bytes.

#include "core/bitarray.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr int kMaxRun = 65535;
constexpr std::uint8_t kHeader = 1;

bool IsRunToken(std::uint8_t b)
{
    return b == 0x00 || b == 0xFF;
}

int ReadCount(const std::uint8_t* at)
{
    return at[0] | (at[1] << 8);
}

void WriteCount(std::uint8_t* at, int count)
{
    at[0] = static_cast<std::uint8_t>(count & 0xFF);
    at[1] = static_cast<std::uint8_t>((count >> 8) & 0xFF);
}

void AppendRun(std::vector<std::uint8_t>& out, std::uint8_t kind, long long count)
{
    while (count > 0) {
        const int part = static_cast<int>(count > kMaxRun ? kMaxRun : count);
        out.push_back(kind);
        out.push_back(static_cast<std::uint8_t>(part & 0xFF));
        out.push_back(static_cast<std::uint8_t>(part >> 8));
        count -= part;
    }
}

}  // namespace

std::vector<std::uint8_t> RunLengthEncode(const std::uint8_t* plain, int length)
{
    std::vector<std::uint8_t> out{kHeader};
    int i = 0;
    while (i < length) {
        const std::uint8_t b = plain[i];
        if (!IsRunToken(b)) {
            out.push_back(b);
            ++i;
            continue;
        }
        int j = i;
        while (j < length && plain[j] == b)
            ++j;
        AppendRun(out, b, j - i);
        i = j;
    }
    return out;
}

std::vector<std::uint8_t> RunLengthDecode(const std::uint8_t* encoded, int length)
{
    std::vector<std::uint8_t> plain;
    int at = 1;  // past the header
    while (at < length) {
        const std::uint8_t b = encoded[at];
        if (!IsRunToken(b)) {
            plain.push_back(b);
            ++at;
            continue;
        }
        if (at + 2 >= length)
            break;  // a cut-off token stands for nothing
        plain.insert(plain.end(), static_cast<std::size_t>(ReadCount(encoded + at + 1)), b);
        at += 3;
    }
    return plain;
}

void CBitArray::RleInsert(int offset, const std::uint8_t* bytes, int count)
{
    const int tail = m_length - offset;
    Resize(m_length + count);
    std::memmove(m_data + offset + count, m_data + offset, static_cast<std::size_t>(tail));
    std::memcpy(m_data + offset, bytes, static_cast<std::size_t>(count));
}

void CBitArray::RleErase(int offset, int count)
{
    std::memmove(m_data + offset, m_data + offset + count,
                 static_cast<std::size_t>(m_length - offset - count));
    m_length -= count;
}

bool CBitArray::RleSetBit(int bit)
{
    const long long k = bit / 8;
    const std::uint8_t mask = static_cast<std::uint8_t>(1u << (bit % 8));
    long long covered = 0;  // plain bytes before the token at `at`
    int at = 1;
    int previous = -1;
    bool changed = false;
    bool done = false;
    while (!done && at < m_length) {
        const std::uint8_t token = m_data[at];
        if (!IsRunToken(token)) {
            if (covered == k) {
                done = true;
                if (token & mask)
                    break;
                changed = true;
                m_data[at] = static_cast<std::uint8_t>(token | mask);
                if (m_data[at] != 0xFF)
                    break;
                // A full literal must become (part of) a run of ones.
                const bool prevHasRoom = previous >= 0 && m_data[previous] == 0xFF &&
                                         ReadCount(m_data + previous + 1) < kMaxRun;
                const int next = at + 1;
                const bool nextHasRoom = next + 2 < m_length && m_data[next] == 0xFF &&
                                         ReadCount(m_data + next + 1) < kMaxRun;
                if (prevHasRoom) {
                    WriteCount(m_data + previous + 1, ReadCount(m_data + previous + 1) + 1);
                    RleErase(at, 1);
                } else if (nextHasRoom) {
                    WriteCount(m_data + next + 1, ReadCount(m_data + next + 1) + 1);
                    RleErase(at, 1);
                } else {
                    const std::uint8_t one[2] = {1, 0};
                    RleInsert(at + 1, one, 2);
                }
                break;
            }
            previous = at;
            ++covered;
            ++at;
            continue;
        }
        if (at + 2 >= m_length)
            break;  // a cut-off token: treat as the end and append after it
        const int count = ReadCount(m_data + at + 1);
        if (k < covered + count) {
            done = true;
            if (token == 0xFF)
                break;
            changed = true;
            if (count <= 1) {
                m_data[at] = mask;
                RleErase(at + 1, 2);
            } else if (k == covered + count - 1) {
                WriteCount(m_data + at + 1, count - 1);
                RleInsert(at + 3, &mask, 1);
            } else if (k > covered) {
                WriteCount(m_data + at + 1, static_cast<int>(k - covered));
                std::uint8_t split[4] = {mask, 0x00, 0, 0};
                WriteCount(split + 2, static_cast<int>(covered + count - 1 - k));
                RleInsert(at + 3, split, 4);
            } else {
                WriteCount(m_data + at + 1, count - 1);
                RleInsert(at, &mask, 1);
            }
            break;
        }
        previous = at;
        covered += count;
        at += 3;
    }
    if (!done) {
        if (m_length == 0) {
            Resize(1);
            m_data[0] = kHeader;
        }
        // Cut-off bytes at the end (never written by this code) are dropped.
        m_length = at < m_length ? at : m_length;
        std::vector<std::uint8_t> tail;
        AppendRun(tail, 0x00, k - covered);
        tail.push_back(mask);
        RleInsert(m_length, tail.data(), static_cast<int>(tail.size()));
        changed = true;
    }
    if (m_capacity != m_length && m_length > 0) {
        auto* exact = static_cast<std::uint8_t*>(std::realloc(m_data, static_cast<std::size_t>(m_length)));
        if (exact) {
            m_data = exact;
            m_capacity = m_length;
        }
    }
    return changed;
}

int CBitArray::RleTestBit(int bit) const
{
    const long long k = bit / 8;
    long long covered = 0;
    int at = 1;
    while (at < m_length) {
        const std::uint8_t token = m_data[at];
        if (!IsRunToken(token)) {
            if (covered == k)
                return (token >> (bit % 8)) & 1;
            ++covered;
            ++at;
            continue;
        }
        if (at + 2 >= m_length)
            return 0;
        const int count = ReadCount(m_data + at + 1);
        if (k < covered + count)
            return token == 0xFF ? 1 : 0;
        covered += count;
        at += 3;
    }
    return 0;
}

// Rare in practice: expand, clear, and encode again.
void CBitArray::RleClearBit(int bit)
{
    if (!RleTestBit(bit))
        return;
    std::vector<std::uint8_t> plain = RunLengthDecode(m_data, m_length);
    plain[static_cast<std::size_t>(bit / 8)] &= static_cast<std::uint8_t>(~(1u << (bit % 8)));
    while (!plain.empty() && plain.back() == 0)
        plain.pop_back();
    const std::vector<std::uint8_t> encoded = RunLengthEncode(plain.data(), static_cast<int>(plain.size()));
    AssignExact(static_cast<int>(encoded.size()), encoded.data());
}
