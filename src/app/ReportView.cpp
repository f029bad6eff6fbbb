#include "app/ReportView.h"

#include "app/QtText.h"
#include "report/ReportDocument.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

QColor TextColour(ReportColour colour)
{
    switch (colour) {
    case ReportColour::Black:
        return QColor(0, 0, 0);
    case ReportColour::Blue:
        return QColor(0, 0, 255);
    case ReportColour::Green:
        return QColor(0, 128, 0);
    case ReportColour::Red:
        return QColor(255, 0, 0);
    case ReportColour::Gray:
        return QColor(128, 128, 128);
    case ReportColour::Maroon:
        return QColor(128, 0, 0);
    }
    return Qt::black;
}

QTextCharFormat CharFormat(const ReportLine& line)
{
    QTextCharFormat f;
    f.setFontFamilies({ "Arial" });
    f.setFontPointSize(8 + line.sizeStep);
    f.setFontWeight(line.style == ReportStyle::Normal ? QFont::Normal : QFont::Bold);
    f.setFontItalic(line.style == ReportStyle::BoldItalic);
    f.setForeground(TextColour(line.colour));
    return f;
}

QTextBlockFormat ParagraphFormat()
{
    // The indents are in points: first line 20, left 30, right 5.
    constexpr double PixelsPerPoint = 96.0 / 72.0;
    QTextBlockFormat f;
    f.setLeftMargin(30 * PixelsPerPoint);
    f.setTextIndent(-10 * PixelsPerPoint);
    f.setRightMargin(5 * PixelsPerPoint);
    return f;
}

}

ReportView::ReportView(ReportDocument& document, QWidget* parent)
    : QTextEdit(parent)
    , m_document(document)
{
    setObjectName("ReportForm");
    setAccessibleName("Report");
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_document.SetObserver([this](const ReportDocument& d) {
        if (d.Lines().size() < m_shownLines)
            m_cleared = true;
    });
    AppendLines(0);
}

ReportView::~ReportView()
{
    m_document.SetObserver(nullptr);
}

void ReportView::Flush()
{
    if (m_cleared) {
        clear();
        m_shownLines = 0;
        m_cleared = false;
    }
    AppendLines(m_shownLines);
}

void ReportView::AppendLines(std::size_t from)
{
    const auto& lines = m_document.Lines();
    if (from >= lines.size())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    QTextBlockFormat paragraph = ParagraphFormat();
    bool firstBlock = m_shownLines == 0;
    for (std::size_t i = from; i < lines.size(); ++i) {
        QTextCharFormat format = CharFormat(lines[i]);
        for (const QString& part : ShownText(lines[i].text).split("\r\n")) {
            if (firstBlock) {
                cursor.setBlockFormat(paragraph);
                cursor.setBlockCharFormat(format);
                firstBlock = false;
            } else {
                cursor.insertBlock(paragraph, format);
            }
            cursor.insertText(part, format);
        }
    }
    cursor.endEditBlock();
    m_shownLines = lines.size();
}
