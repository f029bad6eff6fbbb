#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

/// The question box with the answers Yes, Yes to All and No, asked about a page that may
/// not be an HTML file. Closing it with the frame's button leaves the answer at 0, which
/// the caller takes as Yes.
class TMsgForm : public QDialog {
    Q_OBJECT
public:
    enum Answer { NoAnswer = 0, Yes = 1, YesToAll = 2, No = 3 };

    explicit TMsgForm(const QString& question, QWidget* parent = nullptr);

    Answer answer() const { return m_answer; }

private:
    void YesButtonClick(Answer answer);

    Answer m_answer = NoAnswer;
};
