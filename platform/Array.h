#pragma once
// CArray: the framework's growable array of values, stored contiguously.
//
// Every indexed access is range-checked and throws CInvalidArgException for an index outside
// 0..GetSize()-1. The grow step decides how much spare room is reserved when the array outgrows
// its storage: a step set through SetSize, or by default an eighth of the current size, at
// least 4 and at most 1024 elements.

#include <vellum/platform/Exceptions.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <iterator>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

namespace vellum {

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray {
    static_assert(!std::is_same_v<TYPE, bool>,
                  "CArray<bool> has no contiguous storage; use CArray<BOOL>");

public:
    CArray() = default;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty() ? TRUE : FALSE; }
    int GetUpperBound() const { return GetSize() - 1; }

    // Grows or shrinks the array; new elements are value-initialised. A growBy of 0 or more
    // sets the grow step (0 restores the default). A size of 0 releases the storage.
    void SetSize(int newSize, int growBy = -1) {
        if (newSize < 0)
            throw CInvalidArgException();
        if (growBy >= 0)
            m_growBy = growBy;
        if (newSize == 0) {
            std::vector<TYPE>().swap(m_data);
            return;
        }
        Reserve(static_cast<std::size_t>(newSize));
        m_data.resize(static_cast<std::size_t>(newSize));
    }

    // The first element; null or a valid pointer when the array is empty.
    TYPE* GetData() { return m_data.data(); }
    const TYPE* GetData() const { return m_data.data(); }

    const TYPE& GetAt(int index) const { return m_data[Checked(index)]; }
    TYPE& GetAt(int index) { return m_data[Checked(index)]; }
    void SetAt(int index, ARG_TYPE newElement) { m_data[Checked(index)] = newElement; }
    const TYPE& ElementAt(int index) const { return m_data[Checked(index)]; }
    TYPE& ElementAt(int index) { return m_data[Checked(index)]; }
    const TYPE& operator[](int index) const { return m_data[Checked(index)]; }
    TYPE& operator[](int index) { return m_data[Checked(index)]; }

    // Stores newElement at index, growing the array to index + 1 elements when needed.
    void SetAtGrow(int index, ARG_TYPE newElement) {
        if (index < 0)
            throw CInvalidArgException();
        const auto position = static_cast<std::size_t>(index);
        if (position < m_data.size()) {
            m_data[position] = newElement;
            return;
        }
        // Copied first: newElement may refer into the storage that growing moves.
        TYPE value(newElement);
        Reserve(position + 1);
        m_data.resize(position + 1);
        m_data[position] = std::move(value);
    }

    // Appends newElement and returns its index.
    int Add(ARG_TYPE newElement) {
        const int index = GetSize();
        SetAtGrow(index, newElement);
        return index;
    }

    // Inserts count copies of newElement before index; an index at or beyond the end grows the
    // array so that the copies start at index.
    void InsertAt(int index, ARG_TYPE newElement, int count = 1) {
        if (index < 0 || count <= 0)
            throw CInvalidArgException();
        TYPE value(newElement);
        const auto position = static_cast<std::size_t>(index);
        const auto added = static_cast<std::size_t>(count);
        if (position > m_data.size()) {
            Reserve(position + added);
            m_data.resize(position);
        } else {
            Reserve(m_data.size() + added);
        }
        m_data.insert(m_data.begin() + index, added, value);
    }

    // Inserts the elements of newArray before startIndex, as InsertAt of one element does.
    void InsertAt(int startIndex, const CArray* newArray) {
        if (startIndex < 0 || newArray == nullptr)
            throw CInvalidArgException();
        if (newArray == this) {
            const CArray copy(*this);
            InsertAt(startIndex, &copy);
            return;
        }
        if (newArray->m_data.empty())
            return;
        const auto position = static_cast<std::size_t>(startIndex);
        const std::size_t added = newArray->m_data.size();
        if (position > m_data.size()) {
            Reserve(position + added);
            m_data.resize(position);
        } else {
            Reserve(m_data.size() + added);
        }
        m_data.insert(m_data.begin() + startIndex, newArray->m_data.begin(),
                      newArray->m_data.end());
    }

    // Removes count elements from index on; the storage is kept.
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || count > GetSize() - index)
            throw CInvalidArgException();
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
    }

    // Removes every element and releases the storage.
    void RemoveAll() { SetSize(0); }

    // Releases the storage beyond the current size, keeping the elements.
    void FreeExtra() {
        if (m_data.capacity() == m_data.size())
            return;
        std::vector<TYPE> tight;
        tight.reserve(m_data.size());
        tight.insert(tight.end(), std::make_move_iterator(m_data.begin()),
                     std::make_move_iterator(m_data.end()));
        m_data.swap(tight);
    }

    // Makes this array a copy of src's elements; the grow step is kept.
    void Copy(const CArray& src) {
        if (&src != this)
            m_data = src.m_data;
    }

    // Appends src's elements and returns the index of the first of them.
    int Append(const CArray& src) {
        const int oldSize = GetSize();
        InsertAt(oldSize, &src);
        return oldSize;
    }

private:
    std::size_t Checked(int index) const {
        if (index < 0 || index >= GetSize())
            throw CInvalidArgException();
        return static_cast<std::size_t>(index);
    }

    // Makes room for newSize elements, adding the grow step when the storage must move.
    void Reserve(std::size_t newSize) {
        constexpr auto maxSize = static_cast<std::size_t>(INT_MAX);
        if (newSize > maxSize)
            throw CMemoryException();
        if (newSize <= m_data.capacity())
            return;
        const std::size_t step = m_growBy > 0 ? static_cast<std::size_t>(m_growBy)
                                              : std::clamp<std::size_t>(m_data.size() / 8, 4, 1024);
        try {
            m_data.reserve(std::min(maxSize, std::max(newSize, m_data.size() + step)));
        } catch (const std::bad_alloc&) {
            throw CMemoryException();
        } catch (const std::length_error&) {
            throw CMemoryException();
        }
    }

    std::vector<TYPE> m_data;
    int m_growBy = 0; // 0: the default step
};

} // namespace vellum
