#pragma once

#include <QFrame>

class QLabel;

/// The connection notice: a lowered panel with a small icon and a caption that the
/// network commands grow as they go. It floats over its parent window, centred across
/// it and a little above the middle, and keeps that place when the window is resized.
class ProgressPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr const char* InitialCaption = "            Connecting to web site ";

    explicit ProgressPanel(QWidget* parent);

    QString Caption() const;
    /// Sets the caption and paints it at once: the network wait that follows may be long.
    void SetCaption(const QString& caption);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Place();

    QLabel* m_caption;
};
