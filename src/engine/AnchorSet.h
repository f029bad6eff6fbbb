#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

/// The anchors of one page, each once, end to end in one text in byte order. A run keeps
/// the anchors of every page it links into, and a set of strings costs some hundred
/// bytes an anchor where this costs the anchor's bytes and four more.
class AnchorSet {
public:
    AnchorSet() = default;
    /// `anchors` in any order, repeats dropped.
    explicit AnchorSet(std::vector<std::string_view> anchors);
    AnchorSet(std::initializer_list<std::string_view> anchors)
        : AnchorSet(std::vector<std::string_view>(anchors))
    {
    }

    bool Contains(std::string_view anchor) const;
    std::size_t Count() const { return m_ends.size(); }
    /// What the set holds on the heap.
    std::size_t HeapBytes() const { return m_texts.capacity() + m_ends.capacity() * sizeof(std::uint32_t); }

    /// Calls `f` with each anchor, in byte order.
    template<typename F> void ForEach(F&& f) const
    {
        for (std::size_t i = 0; i < m_ends.size(); ++i)
            f(At(i));
    }

    bool operator==(const AnchorSet&) const = default;

private:
    std::string_view At(std::size_t i) const
    {
        std::size_t start = i == 0 ? 0 : m_ends[i - 1];
        return std::string_view(m_texts).substr(start, m_ends[i] - start);
    }

    std::string m_texts;
    /// Where each anchor ends in `m_texts`.
    std::vector<std::uint32_t> m_ends;
};
