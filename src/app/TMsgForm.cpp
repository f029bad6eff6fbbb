#include "app/TMsgForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove('&'));
    return button;
}

}

TMsgForm::TMsgForm(const QString& question, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("TMsgForm");
    setWindowTitle("Tarvik");
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* label = new QLabel(question, this);
    label->setObjectName("MsgLabel");
    label->setAccessibleName(question);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMinimumWidth(208);

    auto* yes = Button("YesButton", "&Yes", this);
    auto* yesToAll = Button("YesToAllButton", "Yes to &All", this);
    auto* no = Button("NoButton", "&No", this);
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, [this] { YesButtonClick(Yes); });
    connect(yesToAll, &QPushButton::clicked, this, [this] { YesButtonClick(YesToAll); });
    connect(no, &QPushButton::clicked, this, [this] { YesButtonClick(No); });

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(label, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(yes);
    buttons->addWidget(yesToAll);
    buttons->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

void TMsgForm::YesButtonClick(Answer answer)
{
    m_answer = answer;
    accept();
}
