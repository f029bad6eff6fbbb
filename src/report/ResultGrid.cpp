#include "report/ResultGrid.h"

ResultGrid::ResultGrid(std::string firstTitle)
    : m_firstTitle(std::move(firstTitle))
{
    Reset();
}

void ResultGrid::Reset()
{
    m_rows.clear();
    m_rows.push_back({ { m_firstTitle, "Result", "In File", "Secs" }, RowColour::White });
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

void ResultGrid::SetCell(std::size_t row, std::size_t column, std::string text)
{
    m_rows.at(row).cells.at(column) = std::move(text);
    Notify(Change::RowChanged, row);
}

void ResultGrid::SetColour(std::size_t row, RowColour colour)
{
    m_rows.at(row).colour = colour;
    Notify(Change::RowChanged, row);
}

void ResultGrid::FillLastRow(std::string reference, std::string result, std::string inFile, RowColour colour)
{
    GridRow& row = m_rows.back();
    row.cells[0] = std::move(reference);
    row.cells[1] = std::move(result);
    row.cells[2] = std::move(inFile);
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
