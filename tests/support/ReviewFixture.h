#pragma once

#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestDoubles.h"
#include "base/AppContext.h"
#include "base/RecorderComponent.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The program-wide state over temporary settings, with scripted prompts, a fixed clock
// and user "ann", and a temporary folder for calls.
struct ReviewFixture
{
    TempSettingsRoots roots;
    ScriptedPrompts prompts;
    FixedClock clock;
    FixedUserName user;
    AppContext app{Services{prompts, clock, user, [] { return std::unique_ptr<RecorderComponent>(); }}};
    QTemporaryDir calls;

    ReviewFixture()
    {
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
        QFile wav(folder + QLatin1Char('/') + name);
        if (!wav.open(QIODevice::WriteOnly) || wav.write("RIFF") != 4)
            qFatal("cannot write %s", qPrintable(wav.fileName()));
        if (note) {
            QString noteName = name;
            noteName.replace(QStringLiteral(".wav"), QStringLiteral(".txt"));
            QFile txt(folder + QLatin1Char('/') + noteName);
            if (!txt.open(QIODevice::WriteOnly) || txt.write(*note) != note->size())
                qFatal("cannot write %s", qPrintable(txt.fileName()));
        }
    }
    static void addCall(const QString &folder, const QString &name, const QByteArray &note)
    {
        addCall(folder, name, &note);
    }
};
