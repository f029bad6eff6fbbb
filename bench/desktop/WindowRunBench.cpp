// Runs a traced check of SITE from the desktop window, offscreen, as a user would start
// it (Analyse, trace ticked in the options dialog, Yes to the closing question), and
// prints the run's wall and processor time and the longest time the window's event loop went without
// dispatching a timer tick while the run went on.
#include "../../tests/app/DialogResponder.h"
#include "app/FileBrowser.h"
#include "app/SettingsStore.h"
#include "app/TTarvikMainForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvik-window-bench SITE\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    SettingsStore store(settings.filePath("Tarvik.ini"));
    TTarvikMainForm form(store);
    form.resize(900, 600);
    form.show();
    form.Browser()->SetFolder(QString::fromLocal8Bit(argv[1]));
    if (!form.Browser()->SelectFile("index.html")) {
        std::fprintf(stderr, "tarvik-window-bench: no index.html in %s\n", argv[1]);
        return 2;
    }

    using Clock = std::chrono::steady_clock;
    auto cpuSeconds = [] {
        timespec t {};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    };
    double cpuStart = 0;
    Clock::time_point runStart;
    Clock::time_point lastTick;
    Clock::duration longestGap {};
    DialogResponder responder([&](QWidget* d) {
        if (d->objectName() == "TTarvSetupForm") {
            DialogResponder::Press(d, "TraceIntoLinksCheck");
            DialogResponder::Press(d, "OKButton");
            runStart = lastTick = Clock::now();
            cpuStart = cpuSeconds();
        } else if (d->objectName() == "TMsgForm") {
            DialogResponder::Press(d, "YesToAllButton");
        } else {
            DialogResponder::Press(d, "Yes");
        }
    });
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        Clock::time_point now = Clock::now();
        if (form.RunInProgress())
            longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    ticks.start(1);
    form.findChild<QAbstractButton*>("ReportButton")->click();
    Clock::time_point runEnd = Clock::now();
    double cpu = cpuSeconds() - cpuStart;

    auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::printf(
        "window run: %.3f s, cpu %.3f s, longest event-loop gap: %.1f ms, link rows: %zu, image rows: %zu\n",
        ms(runEnd - runStart) / 1000, cpu, ms(longestGap), form.Models().LinkGrid.RowCount(),
        form.Models().ImgGrid.RowCount());
    return 0;
}
