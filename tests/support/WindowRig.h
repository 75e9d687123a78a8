#pragma once

#include "app/frmMain.h"
#include "ContextRig.h"

#include <memory>

// The main window over the context rig. Tests reach its controls and timers by their
// object names.
struct WindowRig : ContextRig
{
    std::unique_ptr<frmMain> window;

    // used: settings an earlier start saved, with the calls folder as CallPath and SearchPath.
    explicit WindowRig(bool used = true);
    void seed(const QString &name, qint32 value) { app.store.SaveLongSetting(name, value); }
    // Builds the window and runs its load.
    bool load();

    FakeRecorder &recorder() const { return *recorders.at(0); } // records and meters
    FakeRecorder &player() const { return *recorders.at(1); }
    QString tempFolder() const { return roots.dataRoot() + QStringLiteral("/Voxmere"); }
    QString call(const QString &name) const { return calls.filePath(name); }

    // The window's control, menu entry or timer of that name; ends the test when missing.
    template <class T = QWidget>
    T *find(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1StringView(name));
        if (!found)
            qFatal("no %s in the main window", name);
        return found;
    }
    QString text(const char *label) const;
    // The named timer's timeout, or the named shortcut's key, as the event loop delivers it.
    void fire(const char *timer) const;
    void key(const char *shortcut) const;
};
