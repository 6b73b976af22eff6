// The engine's dynamic array: the framework array's operations (checked element access, grow,
// insert, remove) plus a three-way Compare and a Swap that derived arrays override, and a quick
// sort built on them. Portable, so table grids and their sorting build natively.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

// What the array raises for an index outside it (the framework's invalid-argument exception).
class RichArrayIndexError : public std::out_of_range {
public:
    RichArrayIndexError() : std::out_of_range("array index out of range") {}
};

// Sets the thread's last-error code to "invalid parameter" (a no-op outside Windows).
void RichSetLastErrorInvalidParameter();

template <class T>
class CExtArray {
public:
    enum : unsigned char { kFlagSorted = 0x01, kFlagAscending = 0x02 };

    CExtArray() = default;
    CExtArray(const CExtArray&) = delete;
    CExtArray& operator=(const CExtArray&) = delete;
    virtual ~CExtArray() = default;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_data.empty(); }
    // New elements are value-initialised (zero, null); the grow-by hint is accepted and ignored.
    void SetSize(int size, int growBy = -1) {
        (void)growBy;
        if (size < 0) throw RichArrayIndexError();
        m_data.resize(static_cast<std::size_t>(size));
    }
    void RemoveAll() { m_data.clear(); }

    T& ElementAt(int index) {
        Check(index);
        return m_data[static_cast<std::size_t>(index)];
    }
    const T& GetAt(int index) const {
        Check(index);
        return m_data[static_cast<std::size_t>(index)];
    }
    void SetAt(int index, const T& value) { ElementAt(index) = value; }
    T& operator[](int index) { return ElementAt(index); }
    const T& operator[](int index) const { return GetAt(index); }
    T* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
    const T* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }

    int Add(const T& value) {
        m_data.push_back(value);
        return GetSize() - 1;
    }
    // Past the end grows the array first, as the framework array does.
    void InsertAt(int index, const T& value, int count = 1) {
        if (index < 0 || count < 0) throw RichArrayIndexError();
        if (index > GetSize()) SetSize(index);
        m_data.insert(m_data.begin() + index, static_cast<std::size_t>(count), value);
    }
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || index + count > GetSize()) throw RichArrayIndexError();
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
    }

    // Three-way comparison (-1, 0, +1) and exchange of two elements; overridden per element kind.
    // The default orders what has an order (numbers, pointers by address); other elements
    // compare equal unless a derived array says otherwise.
    virtual int Compare(const T* a, const T* b) const {
        if constexpr (requires(const T& x) { x < x; }) {
            std::less<T> less;
            return less(*a, *b) ? -1 : (less(*b, *a) ? 1 : 0);
        } else {
            return 0;
        }
    }
    virtual void Swap(T* a, T* b) { std::swap(*a, *b); }

    // Quick sort in the given direction; false (last error "invalid parameter") when an index
    // check failed inside.
    bool Sort(bool ascending = true) {
        m_nFlags = static_cast<unsigned char>(ascending ? kFlagAscending : 0);
        if (IsEmpty()) {
            m_nFlags |= kFlagSorted;
            return true;
        }
        try {
            QuickSort(0, GetSize() - 1, ascending);
        } catch (const RichArrayIndexError&) {
            RichSetLastErrorInvalidParameter();
            return false;
        }
        m_nFlags |= kFlagSorted;
        return true;
    }
    bool IsSorted() const { return (m_nFlags & kFlagSorted) != 0; }
    bool IsSortedAscending() const { return (m_nFlags & kFlagAscending) != 0; }

private:
    void Check(int index) const {
        if (index < 0 || index >= GetSize()) throw RichArrayIndexError();
    }

    // The pivot element is followed when it is swapped away, so the scans always stop at it.
    void QuickSort(int lo, int hi, bool ascending) {
        while (lo < hi) {
            int i = lo, j = hi;
            int pivot = lo + (hi - lo) / 2;
            // Signed order in the sort's direction.
            auto order = [&](int a, int b) {
                const int c = Compare(&ElementAt(a), &ElementAt(b));
                return ascending ? c : (c < 0 ? 1 : (c > 0 ? -1 : 0));
            };
            while (i <= j) {
                while (order(i, pivot) < 0) ++i;
                while (order(j, pivot) > 0) --j;
                if (i <= j) {
                    if (i != j && Compare(&ElementAt(i), &ElementAt(j)) != 0) {
                        Swap(&ElementAt(i), &ElementAt(j));
                        if (pivot == i) pivot = j;
                        else if (pivot == j) pivot = i;
                    }
                    ++i;
                    --j;
                }
            }
            if (lo < j) QuickSort(lo, j, ascending);
            lo = i;
        }
    }

    std::vector<T> m_data;
    unsigned char m_nFlags = kFlagAscending;
};
