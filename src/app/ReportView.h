#pragma once

#include <QListView>

class ReportDocument;
class ReportLinesModel;

/// The report box `ReportForm`: the report document's lines, each with its own style,
/// size and colour, under the report's indent. It draws only the lines in sight, so a
/// report of tens of thousands of lines costs next to nothing to show; lines written by
/// the run appear when Flush is called, a batch at a time.
class ReportView : public QListView {
    Q_OBJECT
public:
    ReportView(ReportDocument& document, QWidget* parent = nullptr);

    void Flush();
    /// Puts the current line at the end of the report and shows it.
    void ShowEnd();

private:
    ReportLinesModel* m_model;
};
