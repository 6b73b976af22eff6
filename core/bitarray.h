#pragma once
// A set of starting hands: one bit per record of the hand table.

#include <cstdint>
#include <vector>

class CBitArray {
public:
    CBitArray() = default;
    // A set in the compressed (run-length) form; only SetBit, TestBit, ClearBit
    // and Count read it directly, every other operation expands it first.
    static CBitArray MakeRunLength();

    CBitArray(const CBitArray& other);
    CBitArray(CBitArray&& other) noexcept;
    CBitArray& operator=(const CBitArray& other);
    CBitArray& operator=(CBitArray&& other) noexcept;
    virtual ~CBitArray();

    void SetBit(int bit);
    int TestBit(int bit) const;
    void ClearBit(int bit);
    void Resize(int length);
    void Assign(int count, const std::uint8_t* bytes);
    void Clear();
    void OrWith(const CBitArray& other);
    void XorWith(const CBitArray& other);
    void AndWith(const CBitArray& other);
    int Count() const;

    static void Union(CBitArray& target, const CBitArray& a, const CBitArray& b);
    static void Intersection(CBitArray& target, const CBitArray& a, const CBitArray& b);
    static void Difference(CBitArray& target, const CBitArray& a, const CBitArray& b);

    // Read access for callers that walk the bytes themselves.
    const std::uint8_t* Data() const { return m_data; }
    int Length() const { return m_length; }
    int Capacity() const { return m_capacity; }
    bool IsRunLength() const { return m_runLength; }

    // The plain bytes of the set, whatever its form.
    std::vector<std::uint8_t> PlainBytes() const;

private:
    void TrimTrailingZeros();
    void AssignExact(int count, const std::uint8_t* bytes);
    void ExpandToPlain();
    void TakeResult(const CBitArray& result);

    // Run-length form (bitarray_rle.cpp).
    bool RleSetBit(int bit);
    int RleTestBit(int bit) const;
    void RleClearBit(int bit);
    void RleInsert(int offset, const std::uint8_t* bytes, int count);
    void RleErase(int offset, int count);

    std::uint8_t* m_data = nullptr;  // malloc'd
    std::int32_t m_length = 0;
    std::int32_t m_capacity = 0;
    mutable std::int32_t m_count = -1;  // -1: recount on the next Count()
    bool m_runLength = false;
};

// Run-length encoding of plain bytes and back, as the compressed form stores them.
std::vector<std::uint8_t> RunLengthEncode(const std::uint8_t* plain, int length);
std::vector<std::uint8_t> RunLengthDecode(const std::uint8_t* encoded, int length);
