#include "app/WebLinkOpen.h"

#include "app/QtText.h"
#include "components/ComponentHost.h"

#include <QMessageBox>

namespace {

class MessageBoxHost : public ComponentHost {
public:
    explicit MessageBoxHost(QWidget* parent)
        : m_parent(parent)
    {
    }
    void ShowMessage(const std::string& text) override
    {
        QMessageBox::warning(m_parent, "Tarvik", ShownText(text));
    }

private:
    QWidget* m_parent;
};

}

void OpenWebLink(const WebLink& link, QWidget* parent, const QString& address)
{
    MessageBoxHost host(parent);
    link.GoToURL(host, XdgFolders::FromEnvironment(), address.toUtf8().toStdString());
}
