#include "app/ReportView.h"

#include "app/ReportLinesModel.h"

ReportView::ReportView(ReportDocument& document, QWidget* parent)
    : QListView(parent)
    , m_model(new ReportLinesModel(document, this))
{
    setObjectName("ReportForm");
    setAccessibleName("Report");
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The report's first-line indent, 20 points.
    setViewportMargins(27, 0, 7, 0);
    setStyleSheet("QListView { background: white; }");
}

void ReportView::Flush()
{
    m_model->Flush();
}

void ReportView::ShowEnd()
{
    int rows = m_model->rowCount();
    if (rows == 0)
        return;
    setCurrentIndex(m_model->index(rows - 1));
    scrollToBottom();
}
