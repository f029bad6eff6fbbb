#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string_view>

/// What a socket still has to send: a chain of fixed-size blocks, appended at the back and
/// drained from the front, so a large send never moves the bytes already queued.
class SendBuffer {
public:
    static constexpr std::size_t DefaultBlockSize = 1514;

    explicit SendBuffer(std::size_t blockSize = DefaultBlockSize)
        : m_blockSize(blockSize)
    {
    }

    void Append(std::string_view data);
    /// The unsent bytes of the first block; empty when nothing is queued.
    std::string_view Front() const;
    /// Drops `count` bytes from the front of the first block. Precondition: count <= Front().size().
    void Consume(std::size_t count);
    bool Empty() const { return m_blocks.empty() || Front().empty(); }
    void Clear() { m_blocks.clear(); }

private:
    struct Block {
        std::unique_ptr<char[]> data;
        std::size_t written = 0;
        std::size_t read = 0;
    };

    std::size_t m_blockSize;
    std::deque<Block> m_blocks;
};
