#pragma once

#include "platform/InternedTexts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// Row colours: white with black text for a reference found, red with white text for a
/// failure, silver (192,192,192) with black text for a reference not checked.
enum class RowColour { White, Red, Silver };

/// A row as read: its cells are views of the grid's texts, valid until the grid is reset.
struct GridRow {
    std::array<std::string_view, 4> cells; // reference, "Result", "In File", "Secs"
    RowColour colour = RowColour::White;
};

/// One result grid (links or images) as a model: a title row, then one row per check,
/// always ending in one blank row that the next check fills. The run writes it; a screen
/// binds to it through the observer. Owned by the front end. A row is kept as the numbers
/// of its texts, each text once, as the cells of a large site's rows mostly repeat.
class ResultGrid {
public:
    enum class Change { Reset, RowChanged, RowAppended, RowRemoved };
    using Observer = std::function<void(const ResultGrid&, Change, std::size_t row)>;

    explicit ResultGrid(std::string firstTitle);

    /// A title row and one empty white row.
    void Reset();
    /// Drops the trailing blank row of a grid that has results, when a run ends.
    void TrimBlankRow();

    std::size_t RowCount() const { return m_rows.size(); }
    std::size_t LastRow() const { return m_rows.size() - 1; }
    GridRow Row(std::size_t row) const;

    void SetCell(std::size_t row, std::size_t column, std::string_view text);
    void SetColour(std::size_t row, RowColour colour);
    /// Fills the last row and appends the new blank row.
    void FillLastRow(std::string_view reference, std::string_view result, std::string_view inFile, RowColour colour);
    void AppendBlankRow();

    /// `text` as the grid's pool keeps it, added when new: one copy serves the grid and
    /// whatever lists the same text. Valid until the next Reset.
    std::string_view Keep(std::string_view text) { return m_texts.Text(m_texts.Intern(text)); }

    void SetObserver(Observer observer) { m_observer = std::move(observer); }

private:
    void Notify(Change change, std::size_t row) const;

    struct StoredRow {
        std::array<std::uint32_t, 4> cells {};
        RowColour colour = RowColour::White;
    };

    std::string m_firstTitle;
    InternedTexts m_texts;
    std::vector<StoredRow> m_rows;
    Observer m_observer;
};
