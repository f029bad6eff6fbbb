#include "app/ReportLinesModel.h"

#include "app/QtText.h"
#include "app/ReportLineLook.h"
#include "report/ReportDocument.h"

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QSize>

namespace {

/// Every screen line is as high as the largest report font needs, so the view can place
/// lines without measuring each.
int LineHeight()
{
    QFont largest("Arial");
    largest.setPointSize(10);
    largest.setBold(true);
    return QFontMetrics(largest).height() + 2;
}

}

ReportLinesModel::ReportLinesModel(ReportDocument& document, QObject* parent)
    : QAbstractListModel(parent)
    , m_document(document)
{
    m_document.SetObserver([this](const ReportDocument& d) {
        if (d.Lines().size() < m_shownLines)
            m_cleared = true;
    });
    m_screenLines = ScreenLinesFrom(0);
}

ReportLinesModel::~ReportLinesModel()
{
    m_document.SetObserver(nullptr);
}

int ReportLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_screenLines.size());
}

QVariant ReportLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= m_screenLines.size())
        return {};
    const ScreenLine& screen = m_screenLines[std::size_t(index.row())];
    // The document may have been cleared since the last flush.
    if (screen.line >= m_document.Lines().size())
        return {};
    const ReportLine& line = m_document.Lines()[screen.line];
    switch (role) {
    case Qt::DisplayRole: {
        std::size_t end = line.text.find("\r\n", screen.textFrom);
        return ShownText(
            line.text.substr(screen.textFrom, end == std::string::npos ? end : end - screen.textFrom));
    }
    case Qt::FontRole:
        return ReportLineFont(line);
    case Qt::ForegroundRole:
        return QBrush(ReportTextColour(line.colour));
    case Qt::SizeHintRole:
        return QSize(m_widestText, LineHeight());
    default:
        return {};
    }
}

void ReportLinesModel::Flush()
{
    if (m_cleared) {
        beginResetModel();
        m_screenLines.clear();
        m_shownLines = 0;
        m_cleared = false;
        m_widestText = 0;
        endResetModel();
    }
    int widest = m_widestText;
    std::vector<ScreenLine> added = ScreenLinesFrom(m_shownLines);
    if (!added.empty()) {
        int rows = int(m_screenLines.size());
        beginInsertRows({}, rows, rows + int(added.size()) - 1);
        m_screenLines.insert(m_screenLines.end(), added.begin(), added.end());
        endInsertRows();
    }
    // The views size every line alike, after the first: a wider line changes them all.
    if (m_widestText != widest && !m_screenLines.empty())
        emit dataChanged(index(0), index(0), { Qt::SizeHintRole });
}

std::vector<ReportLinesModel::ScreenLine> ReportLinesModel::ScreenLinesFrom(std::size_t from)
{
    std::vector<ScreenLine> screenLines;
    const auto& lines = m_document.Lines();
    // An estimate from the widest character: measuring every line would cost more than
    // the run that wrote it.
    static const int charWidth = [] {
        QFont largest("Arial");
        largest.setPointSize(10);
        largest.setBold(true);
        return QFontMetrics(largest).maxWidth();
    }();
    for (std::size_t i = from; i < lines.size(); ++i) {
        std::string_view text = lines[i].text;
        std::size_t start = 0;
        for (std::size_t crlf; (crlf = text.find("\r\n", start)) != std::string::npos; start = crlf + 2)
            screenLines.push_back({ i, start });
        screenLines.push_back({ i, start });
        m_widestText = std::max(m_widestText, int(text.size()) * charWidth / 2 + 40);
    }
    m_shownLines = lines.size();
    return screenLines;
}
