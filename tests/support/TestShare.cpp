#include "TestShare.h"

#include <QDir>
#include <QFile>
#include <QProcess>

TestShare::TestShare()
    : m_dir(qEnvironmentVariable("VOXMERE_SHARE_DIR"))
    , m_script(qEnvironmentVariable("VOXMERE_SHARE_SCRIPT"))
{
    if (m_dir.isEmpty() || m_script.isEmpty()) {
        m_unavailable = QStringLiteral("the test runs outside ctest's share fixture");
        return;
    }
    QFile reason(m_dir + QStringLiteral("/unavailable"));
    if (reason.open(QIODevice::ReadOnly))
        m_unavailable = QString::fromUtf8(reason.readAll()).trimmed();
    else if (!run(QStringLiteral("status")))
        m_unavailable = QStringLiteral("the share in %1 does not answer").arg(m_dir);
}

bool TestShare::clear() const
{
    QDir folder(exported());
    bool ok = folder.removeRecursively();
    return folder.mkpath(QStringLiteral(".")) && ok;
}

bool TestShare::run(const QString &command) const
{
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    script.start(m_script, {command, m_dir});
    return script.waitForFinished(30000) && script.exitStatus() == QProcess::NormalExit
        && script.exitCode() == 0;
}
