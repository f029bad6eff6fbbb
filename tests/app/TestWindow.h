#pragma once

#include "DialogResponder.h"
#include "app/FileBrowser.h"
#include "app/SettingsStore.h"
#include "app/TTarvikMainForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>

/// The main window shown offscreen on `folder`, with settings of its own.
struct TestWindow {
    QTemporaryDir dir;
    SettingsStore store { dir.filePath("Tarvik.conf") };
    TTarvikMainForm form { store };

    explicit TestWindow(const std::string& folder)
    {
        form.resize(800, 600);
        form.show();
        form.Browser()->SetFolder(QString::fromStdString(folder));
    }
    template <typename T = QWidget> T* Control(const QString& name) const
    {
        T* w = form.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void Click(const QString& name) const { Control<QAbstractButton>(name)->click(); }
    /// A menu's items as its opening leaves them: caption, enabled.
    std::map<QString, bool> MenuAsOpened(const QString& name) const
    {
        auto* menu = Control<QMenu>(name);
        emit menu->aboutToShow();
        std::map<QString, bool> items;
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator())
                items[a->text()] = a->isEnabled();
        }
        return items;
    }
    /// The answers for a traced run: trace ticked and OK in the options dialog, No to
    /// every other question.
    static void AnswerTracedRun(QWidget* dialog)
    {
        if (dialog->objectName() != "TTarvSetupForm") {
            DialogResponder::Press(dialog, "No");
            return;
        }
        DialogResponder::Press(dialog, "TraceIntoLinksCheck");
        DialogResponder::Press(dialog, "OKButton");
    }
    /// Does `act` once, as soon as a run in progress has more than twenty link rows.
    void ActMidwayThroughARun(QTimer& timer, std::function<void()> act) const
    {
        QObject::connect(&timer, &QTimer::timeout, [this, &timer, act] {
            if (form.RunInProgress() && form.Models().LinkGrid.RowCount() > 20) {
                timer.stop();
                act();
            }
        });
        timer.start(0);
    }
    /// Analyses the selected files with the options dialog as it opens, answering Yes.
    void Analyse()
    {
        DialogResponder responder([](QWidget* d) {
            DialogResponder::Press(d, d->objectName() == "TTarvSetupForm" ? "OKButton" : "Yes");
        });
        Click("ReportButton");
    }
};
