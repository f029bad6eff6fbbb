#include "app/ReportLineLook.h"

QColor ReportTextColour(ReportColour colour)
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

QFont ReportLineFont(const ReportLine& line)
{
    QFont font("Arial");
    font.setPointSize(8 + line.sizeStep);
    font.setBold(line.style != ReportStyle::Normal);
    font.setItalic(line.style == ReportStyle::BoldItalic);
    return font;
}
