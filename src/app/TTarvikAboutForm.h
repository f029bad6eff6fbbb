#pragma once

#include <QDialog>

class QLabel;
class TWebButton;
class TWebLabel;

/// The about box: version and copyright from the version component, a mail link to the
/// project (the message's subject is the product name) and a button to its web site.
/// Made for one showing and released afterwards.
class TTarvikAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TTarvikAboutForm(QWidget* parent = nullptr);

    TWebLabel* MailLabel() const { return m_mail; }
    TWebButton* WebButton() const { return m_web; }

private:
    TWebLabel* m_mail;
    TWebButton* m_web;
};
