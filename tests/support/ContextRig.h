#pragma once

#include "base/AppContext.h"
#include "FakeRecorder.h"
#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestDoubles.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

// The program-wide state over temporary settings and data folders, with scripted prompts
// and recorders, a fixed clock, user "ann", a counted mover and a temporary calls folder.
struct ContextRig
{
    TempSettingsRoots roots;
    ScriptedPrompts prompts;
    FixedClock clock; // 1 March 2024 09:15
    FixedUserName user;
    FakeDesktop desktop;
    QList<FakeRecorder *> recorders; // in the order made
    int moverLaunches = 0;
    std::optional<QString> moverFailure; // why the mover did not start, when it should not
    AppContext app{Services{prompts, clock, user, desktop,
                            [this] {
                                auto r = std::make_unique<FakeRecorder>();
                                recorders << r.get();
                                return r;
                            },
                            [this] { return ++moverLaunches, moverFailure; }}};
    QTemporaryDir calls;

    ContextRig()
    {
        app.services.recorderOnWindowThread = true; // the fakes are not made for threads
        app.registry.CreateKey(app.UserKey);
        app.registry.CreateKey(app.MachineKey);
        app.CurrentUserName = QStringLiteral("ann");
        app.settings.SearchPath = calls.path() + QLatin1Char('/');
        app.settings.CallPath = calls.path() + QLatin1Char('/');
    }

    QString folder(const QString &relative = QString()) const
    {
        const QString path = relative.isEmpty() ? calls.path() : calls.path() + QLatin1Char('/') + relative;
        QDir().mkpath(path);
        return path;
    }

    // A call file (a few bytes stand in for the sound) and, when given, its note file.
    static void addCall(const QString &folder, const QString &name, const QByteArray *note = nullptr)
    {
        QString noteName = name;
        noteName.replace(QStringLiteral(".wav"), QStringLiteral(".txt"));
        if (!TestFiles::write(folder + QLatin1Char('/') + name, "RIFF")
            || (note && !TestFiles::write(folder + QLatin1Char('/') + noteName, *note)))
            qFatal("cannot write %s", qPrintable(name));
    }
    static void addCall(const QString &folder, const QString &name, const QByteArray &note)
    {
        addCall(folder, name, &note);
    }
};
