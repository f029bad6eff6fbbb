#include "net/SendBuffer.h"

#include <algorithm>
#include <cassert>
#include <cstring>

void SendBuffer::Append(std::string_view data)
{
    while (!data.empty()) {
        if (m_blocks.empty() || m_blocks.back().written == m_blockSize)
            m_blocks.push_back(Block { std::make_unique<char[]>(m_blockSize) });
        Block& last = m_blocks.back();
        const std::size_t count = std::min(data.size(), m_blockSize - last.written);
        std::memcpy(last.data.get() + last.written, data.data(), count);
        last.written += count;
        data.remove_prefix(count);
    }
}

std::string_view SendBuffer::Front() const
{
    if (m_blocks.empty())
        return {};
    const Block& first = m_blocks.front();
    return { first.data.get() + first.read, first.written - first.read };
}

void SendBuffer::Consume(std::size_t count)
{
    assert(count <= Front().size() && "consuming more than the first block holds");
    Block& first = m_blocks.front();
    first.read += count;
    // The last block stays to take further appends; an emptied one before it is freed.
    if (first.read == first.written && (m_blocks.size() > 1 || first.written == m_blockSize))
        m_blocks.pop_front();
}
