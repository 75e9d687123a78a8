#pragma once

#include "base/MainState.h"
#include "controls/kvtSlider.h"
#include "review/ui/Playback.h"
#include "ScriptedPrompts.h"

#include <QLabel>
#include <QTemporaryDir>

// Playback over the given player with a real position slider and label, the listed
// calls in a collection (calls in a temporary folder) and detection hooks that log.
template <class Player>
struct PlaybackRig
{
    Player player; // made before the playback that holds it
    QTemporaryDir dir;
    MainState state;
    ScriptedPrompts prompts;
    QWidget window;
    kvtSlider *slider = new kvtSlider(&window);
    QLabel *label = new QLabel(QStringLiteral("00:00:00"), &window);
    colCalls calls;
    QString selected = QStringLiteral("#1#");
    QStringList detection; // "Suspend" / "Resume", in order
    Playback pb;

    PlaybackRig()
        : pb(player, state, prompts, *slider, *label,
             Playback::Links{[this](const QString &key) { return calls.Item(key); },
                             [this] { return calls.Count() > 0; }, [this] { return selected; },
                             [this] { detection << QStringLiteral("Suspend"); },
                             [this] { detection << QStringLiteral("Resume"); }})
    {
        slider->setOrientation(kvtSlider::Horizontal);
        slider->setGeometry(0, 0, 400, slider->sizeHint().height());
        window.show();
    }

    // Call n ("#n#") of 1 March 2024, listed with its file in the temporary folder.
    QString path(int n) const { return dir.filePath(QStringLiteral("20240301-09150%1-ann-5.wav").arg(n)); }
    void listCall(int n, const QString &file = {})
    {
        QString key = QString::number(n);
        if (!calls.Add(n, QStringLiteral("ann"), QDate(2024, 3, 1), QTime(9, 15, n), 5, QString(),
                       file.isEmpty() ? path(n) : file, QString(), -1, key))
            qFatal("call %d not listed", n);
    }
};
