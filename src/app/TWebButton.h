#pragma once

#include "components/WebLink.h"

#include <QToolButton>
#include <functional>

/// A small picture button with a hyperlink label's behaviour: a click runs the click
/// handler and then opens the link. Its picture, a globe or an envelope, follows the
/// kind of link, set through `SetServiceType`.
class TWebButton : public QToolButton {
    Q_OBJECT
public:
    explicit TWebButton(QWidget* parent = nullptr);

    /// The link's kind is set through `SetServiceType`, which also changes the picture.
    WebLink Link;
    std::function<void()> OnClick;

    void SetServiceType(TServType type);
    void Click();
    /// Opens `address`, or the link's URL when it is empty.
    void GoToURL(const QString& address = {});
};
