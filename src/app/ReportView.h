#pragma once

#include <QTextEdit>

class ReportDocument;

/// The report box `ReportForm`: shows the report document's lines, each with its own
/// style, size and colour, under the report's paragraph indents. Lines written by the run
/// are shown when Flush is called, a batch at a time.
class ReportView : public QTextEdit {
    Q_OBJECT
public:
    ReportView(ReportDocument& document, QWidget* parent = nullptr);
    ~ReportView() override;

    /// Shows what the document gained, or shows it anew after it was cleared.
    void Flush();

private:
    void AppendLines(std::size_t from);

    ReportDocument& m_document;
    std::size_t m_shownLines = 0;
    bool m_cleared = false;
};
