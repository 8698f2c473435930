#ifndef BLOCKVECTOR_H
#define BLOCKVECTOR_H

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

/**
 * A sequence that grows and shrinks at its end, kept in blocks of 64 KiB.
 * Growing never moves what it holds: where a vector copies all of it each
 * time it doubles (megabytes in one click late in a long run), this takes a
 * new block now and then, at the same cost late in a run as early. A block is
 * large enough to go back to the system whole once it is freed.
 */
template<typename T>
class BlockVector
{
    static constexpr int blockShift()
    {
        int shift = 0;
        while ((std::size_t(2) << shift) * sizeof(T) <= 64 * 1024)
            ++shift;
        return shift;
    }

public:
    static constexpr int Shift = blockShift();
    static constexpr std::size_t PerBlock = std::size_t(1) << Shift;

    template<bool Const>
    class Iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = std::conditional_t<Const, const T *, T *>;
        using reference = std::conditional_t<Const, const T &, T &>;
        using Owner = std::conditional_t<Const, const BlockVector, BlockVector>;

        Iterator() = default;
        Iterator(Owner *owner, std::size_t index) : m_owner(owner), m_index(index) {}
        // Every iterator reads as a const one.
        template<bool C = Const, typename = std::enable_if_t<C>>
        Iterator(const Iterator<false> &other) : m_owner(other.m_owner), m_index(other.m_index) {}

        reference operator*() const { return (*m_owner)[m_index]; }
        pointer operator->() const { return &(*m_owner)[m_index]; }
        reference operator[](difference_type n) const { return (*m_owner)[m_index + n]; }
        Iterator &operator++() { ++m_index; return *this; }
        Iterator &operator--() { --m_index; return *this; }
        Iterator operator++(int) { Iterator was = *this; ++m_index; return was; }
        Iterator operator--(int) { Iterator was = *this; --m_index; return was; }
        Iterator &operator+=(difference_type n) { m_index += n; return *this; }
        Iterator &operator-=(difference_type n) { m_index -= n; return *this; }
        Iterator operator+(difference_type n) const { return {m_owner, m_index + n}; }
        Iterator operator-(difference_type n) const { return {m_owner, m_index - n}; }
        friend Iterator operator+(difference_type n, const Iterator &at) { return at + n; }
        difference_type operator-(const Iterator &other) const { return difference_type(m_index - other.m_index); }
        bool operator==(const Iterator &other) const { return m_index == other.m_index; }
        bool operator!=(const Iterator &other) const { return m_index != other.m_index; }
        bool operator<(const Iterator &other) const { return m_index < other.m_index; }
        bool operator>(const Iterator &other) const { return m_index > other.m_index; }
        bool operator<=(const Iterator &other) const { return m_index <= other.m_index; }
        bool operator>=(const Iterator &other) const { return m_index >= other.m_index; }

    private:
        template<bool> friend class Iterator;
        Owner *m_owner = nullptr;
        std::size_t m_index = 0;
    };
    using value_type = T;
    using size_type = std::size_t;
    using iterator = Iterator<false>;
    using const_iterator = Iterator<true>;

    BlockVector() = default;
    BlockVector(BlockVector &&) noexcept = default;
    BlockVector &operator=(BlockVector &&) noexcept = default;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T &operator[](std::size_t i) { return m_blocks[i >> Shift][i & (PerBlock - 1)]; }
    const T &operator[](std::size_t i) const { return m_blocks[i >> Shift][i & (PerBlock - 1)]; }
    T &back() { return (*this)[m_size - 1]; }
    const T &back() const { return (*this)[m_size - 1]; }
    iterator begin() { return {this, 0}; }
    iterator end() { return {this, m_size}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_size}; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    void push_back(const T &value) { emplace_back(value); }
    void push_back(T &&value) { emplace_back(std::move(value)); }
    template<typename... Args>
    T &emplace_back(Args &&...args)
    {
        if (m_size == m_blocks.size() * PerBlock)
            m_blocks.emplace_back(new T[PerBlock]);
        T &slot = (*this)[m_size++];
        slot = T{std::forward<Args>(args)...};
        return slot;
    }
    template<typename InputIt>
    void append(InputIt first, InputIt last)
    {
        using Category = typename std::iterator_traits<InputIt>::iterator_category;
        if constexpr (std::is_base_of_v<std::random_access_iterator_tag, Category>) {
            // A block at a time: a route of 45,001 characters is a few copies, not 45,001 appends.
            for (auto left = std::size_t(last - first); left > 0;) {
                if (m_size == m_blocks.size() * PerBlock)
                    m_blocks.emplace_back(new T[PerBlock]);
                const std::size_t n = std::min(left, PerBlock - (m_size & (PerBlock - 1)));
                std::copy(first, first + n, &(*this)[m_size]);
                first += n;
                m_size += n;
                left -= n;
            }
        } else {
            for (; first != last; ++first)
                emplace_back(*first);
        }
    }
    void pop_back() { resize(m_size - 1); }
    /// Inserts and erases by moving the elements after the place, as a vector does: cheap near the end.
    // By value: a value read from this sequence would move under its reference while the rest makes room.
    iterator insert(const_iterator at, T value)
    {
        const std::size_t index = at - cbegin();
        emplace_back();
        std::move_backward(begin() + index, end() - 1, end());
        (*this)[index] = std::move(value);
        return begin() + index;
    }
    iterator erase(const_iterator first, const_iterator last)
    {
        const std::size_t from = first - cbegin();
        const std::size_t count = last - first;
        std::move(begin() + (from + count), end(), begin() + from);
        resize(m_size - count);
        return begin() + from;
    }
    iterator erase(const_iterator at) { return erase(at, at + 1); }

    /// Grows with default values or drops the last ones; a shrink keeps one spare block so that a
    /// sequence going back and forth across a block's end does not take and free it each time.
    void resize(std::size_t size)
    {
        while (m_size < size)
            emplace_back();
        if constexpr (!std::is_trivially_destructible_v<T>) {
            for (std::size_t i = size; i < m_size; ++i)
                (*this)[i] = T();
        }
        m_size = size;
        const std::size_t kept = (size + PerBlock - 1) / PerBlock + 1;
        if (m_blocks.size() > kept)
            m_blocks.resize(kept);
    }
    /// Drops everything and gives its memory back.
    void clear()
    {
        std::vector<std::unique_ptr<T[]>>().swap(m_blocks);
        m_size = 0;
    }

    /// Calls f(pointer, count) for each stretch of the count elements from from that lies in one block.
    template<typename F>
    void forEachSpan(std::size_t from, std::size_t count, F f) const
    {
        while (count > 0) {
            const std::size_t inBlock = std::min(count, PerBlock - (from & (PerBlock - 1)));
            f(&(*this)[from], inBlock);
            from += inBlock;
            count -= inBlock;
        }
    }

private:
    std::vector<std::unique_ptr<T[]>> m_blocks;
    std::size_t m_size = 0;
};

#endif // BLOCKVECTOR_H
