#pragma once

#include "components/WebLink.h"

#include <QColor>
#include <QLabel>
#include <functional>

/// A label that looks like a hyperlink (blue, underlined, a hand cursor) and, when
/// clicked, runs its click handler and then opens its link: the address in the default
/// browser, or a new message in the default mail program. Once clicked it stays in the
/// clicked colour. The handler may change the link before it is opened.
class TWebLabel : public QLabel {
    Q_OBJECT
public:
    explicit TWebLabel(QWidget* parent = nullptr);

    WebLink Link;
    QColor FontClickedColor = Qt::red;
    /// Kept for whoever restyles the label; the font itself starts blue whatever it says.
    QColor FontLinkColor = Qt::blue;
    std::function<void()> OnClick;

    void Click();
    /// Opens `address`, or the link's URL when it is empty.
    void GoToURL(const QString& address = {});

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetFontColour(const QColor& colour);
};
