#pragma once

#include <QAbstractListModel>
#include <vector>

class ReportDocument;

/// The report document as a list of screen lines, each with its own font and colour: a
/// document line that begins with CR LF gives an empty screen line before it. Lines the
/// run writes reach the views only when Flush is called, a batch at a time.
class ReportLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ReportLinesModel(ReportDocument& document, QObject* parent = nullptr);
    ~ReportLinesModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void Flush();

private:
    struct ScreenLine {
        std::size_t line;
        std::size_t textFrom;
    };
    /// The screen lines of the document lines from `from` on.
    std::vector<ScreenLine> ScreenLinesFrom(std::size_t from);

    ReportDocument& m_document;
    std::vector<ScreenLine> m_screenLines;
    std::size_t m_shownLines = 0;
    bool m_cleared = false;
    int m_widestText = 0;
};
