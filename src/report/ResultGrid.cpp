#include "report/ResultGrid.h"

ResultGrid::ResultGrid(std::string firstTitle)
    : m_firstTitle(std::move(firstTitle))
{
    Reset();
}

void ResultGrid::Reset()
{
    m_rows.clear();
    m_texts = InternedTexts();
    StoredRow title;
    std::size_t column = 0;
    for (std::string_view text : { std::string_view(m_firstTitle), std::string_view("Result"),
             std::string_view("In File"), std::string_view("Secs") })
        title.cells[column++] = m_texts.Intern(text);
    m_rows.push_back(title);
    m_rows.push_back({});
    Notify(Change::Reset, 0);
}

void ResultGrid::TrimBlankRow()
{
    if (m_rows.size() <= 2)
        return;
    m_rows.pop_back();
    Notify(Change::RowRemoved, m_rows.size());
}

GridRow ResultGrid::Row(std::size_t row) const
{
    const StoredRow& stored = m_rows.at(row);
    GridRow shown;
    for (std::size_t c = 0; c < stored.cells.size(); ++c)
        shown.cells[c] = m_texts.Text(stored.cells[c]);
    shown.colour = stored.colour;
    return shown;
}

void ResultGrid::SetCell(std::size_t row, std::size_t column, std::string_view text)
{
    m_rows.at(row).cells.at(column) = m_texts.Intern(text);
    Notify(Change::RowChanged, row);
}

void ResultGrid::SetColour(std::size_t row, RowColour colour)
{
    m_rows.at(row).colour = colour;
    Notify(Change::RowChanged, row);
}

void ResultGrid::FillLastRow(
    std::string_view reference, std::string_view result, std::string_view inFile, RowColour colour)
{
    StoredRow& row = m_rows.back();
    row.cells[0] = m_texts.Intern(reference);
    row.cells[1] = m_texts.Intern(result);
    row.cells[2] = m_texts.Intern(inFile);
    row.colour = colour;
    Notify(Change::RowChanged, LastRow());
    AppendBlankRow();
}

void ResultGrid::AppendBlankRow()
{
    m_rows.push_back({});
    Notify(Change::RowAppended, LastRow());
}

void ResultGrid::Notify(Change change, std::size_t row) const
{
    if (m_observer)
        m_observer(*this, change, row);
}
