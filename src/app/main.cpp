#include "app/QuitSignals.h"
#include "app/SettingsStore.h"
#include "app/TTarvikMainForm.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <exception>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvik");
    QApplication::setApplicationDisplayName("Tarvik");
    try {
        SettingsStore store;
        TTarvikMainForm window(store);
        window.LoadSettings(window.screen()->geometry());
        QStringList args = QApplication::arguments();
        if (args.size() > 1)
            window.SelectCommandLineFile(args.at(1));
        QuitSignals quitSignals;
        QObject::connect(&quitSignals, &QuitSignals::Requested, &window, &TTarvikMainForm::CloseAtRequest);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Tarvik", e.what());
    }
    return 0;
}
