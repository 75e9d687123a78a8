#include "audio/MixerLauncher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

using namespace Qt::StringLiterals;

bool MixerLauncher::show()
{
    struct Mixer
    {
        QString program;
        QStringList arguments;
    };
    // pavucontrol's tab 4 lists the input devices with their levels.
    const Mixer mixers[] = {
        {u"pavucontrol"_s, {u"--tab=4"_s}},
        {u"pavucontrol-qt"_s, {}},
    };
    for (const Mixer &mixer : mixers) {
        const QString path = QStandardPaths::findExecutable(mixer.program);
        if (!path.isEmpty() && QProcess::startDetached(path, mixer.arguments))
            return true;
    }
    return false;
}
