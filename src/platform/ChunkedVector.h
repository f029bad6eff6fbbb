#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <vector>

/// A growing array kept in fixed blocks: appending never copies what is there, and the
/// array never needs its old and new storage at once, as a vector does when it doubles.
template<typename T, std::size_t BlockItems = 8192> class ChunkedVector {
public:
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    void push_back(const T& item)
    {
        if (m_size == m_blocks.size() * BlockItems)
            m_blocks.push_back(std::make_unique<T[]>(BlockItems));
        (*this)[m_size++] = item;
    }

    T& operator[](std::size_t i) { return m_blocks[i / BlockItems][i % BlockItems]; }
    const T& operator[](std::size_t i) const { return m_blocks[i / BlockItems][i % BlockItems]; }
    T& at(std::size_t i) { return (*this)[Checked(i)]; }
    const T& at(std::size_t i) const { return (*this)[Checked(i)]; }

private:
    std::size_t Checked(std::size_t i) const
    {
        if (i >= m_size)
            throw std::out_of_range("ChunkedVector::at");
        return i;
    }

    std::vector<std::unique_ptr<T[]>> m_blocks;
    std::size_t m_size = 0;
};
