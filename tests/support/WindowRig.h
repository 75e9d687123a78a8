#pragma once

#include "FakeRecorder.h"
#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestDoubles.h"
#include "app/frmMain.h"
#include "base/AppContext.h"

#include <QTemporaryDir>
#include <memory>

// The main window over temporary settings, data and calls folders, with scripted
// prompts and recorders. Tests reach its controls and timers by their object names.
struct WindowRig
{
    TempSettingsRoots roots;
    QTemporaryDir calls;
    ScriptedPrompts prompts;
    FixedClock clock; // 1 March 2024 09:15
    FixedUserName user;
    QList<FakeRecorder *> recorders; // the first records, the second plays
    int moverLaunches = 0;
    AppContext ctx;
    std::unique_ptr<frmMain> window;

    // used: settings an earlier start saved, with the calls folder as CallPath and SearchPath.
    explicit WindowRig(bool used = true);
    void seed(const QString &name, qint32 value) { ctx.store.SaveLongSetting(name, value); }
    // Builds the window and runs its load.
    bool load();

    FakeRecorder &recorder() const { return *recorders.at(0); }
    FakeRecorder &player() const { return *recorders.at(1); }
    QString tempFolder() const { return roots.dataRoot() + QStringLiteral("/Voxmere"); }
    QString call(const QString &name) const { return calls.filePath(name); }

    // The window's control, menu entry or timer of that name; fails the test when missing.
    template <class T = QWidget>
    T *find(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1StringView(name));
        if (!found)
            qFatal("no %s in the main window", name);
        return found;
    }
    QString text(const char *label) const;
    // The named timer's timeout, or the named shortcut's key, as the event loop would deliver it.
    void fire(const char *timer) const;
    void key(const char *shortcut) const;
};
