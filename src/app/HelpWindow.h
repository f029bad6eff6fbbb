#pragma once

#include <QDialog>

class QTextBrowser;

/// The program's manual: HTML pages installed beside the program, shown in a browser
/// window of our own that follows the manual's links between its pages. One window per
/// main window; asking again brings it forward at the contents page.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    /// Where the contents page is installed, relative to the folder of the program:
    /// "bin/../share/tarvik/help/index.html", in the build tree as in the package.
    static QString ContentsPath(const QString& programFolder);

    explicit HelpWindow(QWidget* parent = nullptr);

    /// Shows `contentsPage`; false when it does not exist.
    bool ShowContents(const QString& contentsPage);

private:
    QTextBrowser* m_browser;
};
