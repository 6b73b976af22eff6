#include "core/bitarray.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::uint8_t* AllocateBytes(std::size_t n)
{
    auto* p = static_cast<std::uint8_t*>(std::malloc(n));
    if (!p)
        throw std::bad_alloc();
    return p;
}

int TrimmedLength(const std::uint8_t* bytes, int count)
{
    while (count > 0 && bytes[count - 1] == 0)
        --count;
    return count;
}

int CountBits(const std::uint8_t* bytes, int count)
{
    int total = 0;
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        total += std::popcount(word);
    }
    for (; i < count; ++i)
        total += std::popcount(static_cast<unsigned>(bytes[i]));
    return total;
}

}  // namespace

CBitArray CBitArray::MakeRunLength()
{
    CBitArray set;
    set.m_runLength = true;
    return set;
}

CBitArray::CBitArray(const CBitArray& other) : m_runLength(other.m_runLength)
{
    // The compressed form cannot lose its trailing bytes: a count byte may be 0.
    const int n = m_runLength ? other.m_length : TrimmedLength(other.m_data, other.m_length);
    AssignExact(n, other.m_data);
    m_count = other.m_count;
}

CBitArray::CBitArray(CBitArray&& other) noexcept
    : m_data(other.m_data), m_length(other.m_length), m_capacity(other.m_capacity),
      m_count(other.m_count), m_runLength(other.m_runLength)
{
    other.m_data = nullptr;
    other.m_length = other.m_capacity = 0;
    other.m_count = -1;
}

CBitArray& CBitArray::operator=(const CBitArray& other)
{
    if (this != &other) {
        CBitArray copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CBitArray& CBitArray::operator=(CBitArray&& other) noexcept
{
    if (this != &other) {
        std::free(m_data);
        m_data = other.m_data;
        m_length = other.m_length;
        m_capacity = other.m_capacity;
        m_count = other.m_count;
        m_runLength = other.m_runLength;
        other.m_data = nullptr;
        other.m_length = other.m_capacity = 0;
        other.m_count = -1;
    }
    return *this;
}

CBitArray::~CBitArray()
{
    std::free(m_data);
}

// Replaces the buffer by exactly `count` bytes (capacity == length).
void CBitArray::AssignExact(int count, const std::uint8_t* bytes)
{
    std::uint8_t* fresh = nullptr;
    if (count > 0) {
        fresh = AllocateBytes(static_cast<std::size_t>(count));
        std::memcpy(fresh, bytes, static_cast<std::size_t>(count));
    }
    std::free(m_data);
    m_data = fresh;
    m_length = m_capacity = count;
    m_count = -1;
}

void CBitArray::Resize(int length)
{
    if (length <= 0) {
        std::free(m_data);
        m_data = nullptr;
        m_length = m_capacity = 0;
        m_count = -1;
        return;
    }
    if (length > m_capacity) {
        const long long wanted = m_runLength ? length : static_cast<long long>(length) + 100;
        const int capacity = static_cast<int>(std::min<long long>(wanted, 0x7FFFFFFF));
        auto* grown = static_cast<std::uint8_t*>(std::realloc(m_data, static_cast<std::size_t>(capacity)));
        if (!grown)
            throw std::bad_alloc();
        m_data = grown;
        std::memset(m_data + m_capacity, 0, static_cast<std::size_t>(capacity - m_capacity));
        m_capacity = capacity;
    }
    if (length > m_length) {
        // Bytes kept from an earlier, longer length must not come back as set bits.
        std::memset(m_data + m_length, 0, static_cast<std::size_t>(length - m_length));
    } else if (length < m_length) {
        m_count = -1;
    }
    m_length = length;
}

void CBitArray::SetBit(int bit)
{
    if (bit < 0)
        return;
    m_count = -1;
    if (m_runLength) {
        RleSetBit(bit);
        return;
    }
    const int index = bit / 8;
    if (index >= m_length)
        Resize(index + 1);
    m_data[index] |= static_cast<std::uint8_t>(1u << (bit % 8));
}

int CBitArray::TestBit(int bit) const
{
    if (bit < 0)
        return 0;
    if (m_runLength)
        return RleTestBit(bit);
    const int index = bit / 8;
    if (index >= m_length)
        return 0;
    return (m_data[index] >> (bit % 8)) & 1;
}

void CBitArray::ClearBit(int bit)
{
    if (bit < 0)
        return;
    if (m_runLength) {
        RleClearBit(bit);
        return;
    }
    const int index = bit / 8;
    if (index >= m_length)
        return;
    m_data[index] &= static_cast<std::uint8_t>(~(1u << (bit % 8)));
    m_count = -1;
}

void CBitArray::TrimTrailingZeros()
{
    m_length = TrimmedLength(m_data, m_length);
}

void CBitArray::Assign(int count, const std::uint8_t* bytes)
{
    if (count < 0 || !bytes)
        count = 0;
    if (!m_runLength)
        count = TrimmedLength(bytes, count);
    AssignExact(count, bytes);
}

void CBitArray::Clear()
{
    if (m_runLength && m_length > 0) {
        m_length = 1;  // the header byte alone: no tokens, no bits
        m_data[0] = 1;
    } else if (m_length > 0) {
        std::memset(m_data, 0, static_cast<std::size_t>(m_length));
    }
    m_count = -1;
}

void CBitArray::ExpandToPlain()
{
    if (!m_runLength)
        return;
    const std::vector<std::uint8_t> plain = PlainBytes();
    m_runLength = false;
    AssignExact(static_cast<int>(plain.size()), plain.data());
}

std::vector<std::uint8_t> CBitArray::PlainBytes() const
{
    if (m_runLength)
        return RunLengthDecode(m_data, m_length);
    return std::vector<std::uint8_t>(m_data, m_data + m_length);
}

void CBitArray::OrWith(const CBitArray& other)
{
    ExpandToPlain();
    const std::vector<std::uint8_t> bytes = other.PlainBytes();
    const int n = static_cast<int>(bytes.size());
    if (m_length < n)
        Resize(n);
    for (int i = 0; i < n; ++i)
        m_data[i] |= bytes[static_cast<std::size_t>(i)];
    m_count = -1;
}

void CBitArray::XorWith(const CBitArray& other)
{
    ExpandToPlain();
    const std::vector<std::uint8_t> bytes = other.PlainBytes();
    const int n = static_cast<int>(bytes.size());
    if (m_length < n)
        Resize(n);
    for (int i = 0; i < n; ++i)
        m_data[i] ^= bytes[static_cast<std::size_t>(i)];
    m_count = -1;
}

void CBitArray::AndWith(const CBitArray& other)
{
    ExpandToPlain();
    const std::vector<std::uint8_t> bytes = other.PlainBytes();
    const int n = std::min(m_length, static_cast<int>(bytes.size()));
    for (int i = 0; i < n; ++i)
        m_data[i] &= bytes[static_cast<std::size_t>(i)];
    m_length = n;
    TrimTrailingZeros();
    if (m_length == 0)
        Resize(0);
    m_count = -1;
}

int CBitArray::Count() const
{
    if (m_count < 0) {
        if (m_runLength) {
            const std::vector<std::uint8_t> plain = PlainBytes();
            m_count = CountBits(plain.data(), static_cast<int>(plain.size()));
        } else {
            m_count = CountBits(m_data, m_length);
        }
    }
    return m_count;
}

// The result is built apart from the target, so the target may be an operand.
void CBitArray::TakeResult(const CBitArray& result)
{
    Clear();
    m_runLength = false;  // the result is plain, whatever the target was
    Assign(result.m_length, result.m_data);
}

void CBitArray::Union(CBitArray& target, const CBitArray& a, const CBitArray& b)
{
    CBitArray result(a);
    result.ExpandToPlain();
    result.OrWith(b);
    target.TakeResult(result);
}

void CBitArray::Intersection(CBitArray& target, const CBitArray& a, const CBitArray& b)
{
    CBitArray result(a);
    result.ExpandToPlain();
    result.AndWith(b);
    target.TakeResult(result);
}

void CBitArray::Difference(CBitArray& target, const CBitArray& a, const CBitArray& b)
{
    CBitArray result(a);
    result.ExpandToPlain();
    result.XorWith(b);
    result.AndWith(a);
    target.TakeResult(result);
}
