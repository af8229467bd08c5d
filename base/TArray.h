#pragma once
// Ordered value arrays of the base library. Entries are held by value (not as
// owned pointers): the engine copies whole games at every guess level, and one
// allocation per array is far cheaper than one per entry.
#include <algorithm>
#include <cstddef>
#include <vector>

template<class T>
class TArray
{
public:
    // Ordering function in the C manner: < 0, 0, > 0.
    using CompareFn = int (*)(const T &, const T &);

    explicit TArray(size_t blockSize = 16, CompareFn compare = nullptr) : m_compare(compare)
    {
        m_items.reserve(blockSize);
    }

    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    T &operator[](int i) { return m_items[static_cast<size_t>(i)]; }
    const T &operator[](int i) const { return m_items[static_cast<size_t>(i)]; }
    // The entry at i, or null outside 0 to Count()-1.
    T *At(int i) { return i >= 0 && i < Count() ? &m_items[static_cast<size_t>(i)] : nullptr; }
    const T *At(int i) const
    {
        return i >= 0 && i < Count() ? &m_items[static_cast<size_t>(i)] : nullptr;
    }

    // Appends; the new index.
    int Add(const T &item)
    {
        m_items.push_back(item);
        return Count() - 1;
    }
    // Inserts at the ordered place (behind equal entries); the new index.
    int Insert(const T &item)
    {
        if (!m_compare)
            return Add(item);
        auto it = std::upper_bound(m_items.begin(), m_items.end(), item,
                                   [this](const T &a, const T &b) { return m_compare(a, b) < 0; });
        return static_cast<int>(m_items.insert(it, item) - m_items.begin());
    }
    // Index of an entry equal to item by the ordering function (by == without one), or -1.
    int Find(const T &item) const
    {
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_compare ? m_compare(m_items[i], item) == 0 : m_items[i] == item)
                return static_cast<int>(i);
        return -1;
    }
    bool Delete(int i)
    {
        if (i < 0 || i >= Count())
            return false;
        m_items.erase(m_items.begin() + i);
        return true;
    }
    void DeleteAll() { m_items.clear(); }
    // Deletes every entry from index count on.
    void Truncate(int count)
    {
        if (count >= 0 && count < Count())
            m_items.resize(static_cast<size_t>(count));
    }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
    CompareFn m_compare;
};

template<class T>
class TStack : public TArray<T>
{
public:
    using TArray<T>::TArray;
    int Push(const T &item) { return this->Add(item); }
    bool Pop(T *out = nullptr)
    {
        if (this->IsEmpty())
            return false;
        if (out)
            *out = (*this)[this->Count() - 1];
        return this->Delete(this->Count() - 1);
    }
    const T *Top() const { return this->At(this->Count() - 1); }
};
