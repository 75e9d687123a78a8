#include "desktop/XdgDesktop.h"

#include "base/modErrors.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

// What xdg-email's exit codes mean.
QString XdgExitText(int code)
{
    switch (code) {
    case 1: return QCoreApplication::translate("XdgDesktop", "Error in command line syntax");
    case 2: return QCoreApplication::translate("XdgDesktop", "One of the files passed on the command line did not exist");
    case 3: return QCoreApplication::translate("XdgDesktop", "A required tool could not be found");
    case 4: return QCoreApplication::translate("XdgDesktop", "The action failed");
    case 5: return QCoreApplication::translate("XdgDesktop", "No permission to read one of the files passed on the command line");
    default: return QCoreApplication::translate("XdgDesktop", "The mail program failed");
    }
}

} // namespace

QString XdgDesktop::mailProgram()
{
    QProcess query;
    query.start(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"x-scheme-handler/mailto"_s});
    query.waitForFinished(5000);
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

void XdgDesktop::compose(const Mail &mail, MailFailed failed)
{
    const QString xdgEmail = QStandardPaths::findExecutable(u"xdg-email"_s);
    if (xdgEmail.isEmpty()) {
        failed(false, QCoreApplication::translate("XdgDesktop", "%1 (xdg-email, of the package xdg-utils)").arg(modErrors::SystemErrorText(ENOENT)));
        return;
    }
    QStringList arguments{u"--utf8"_s, u"--subject"_s, mail.subject, u"--body"_s, mail.body};
    for (const QString &file : mail.attachments)
        arguments << u"--attach"_s << file;
    // The mail program may stay in the foreground until the user sends: it is left
    // running, and only its failure is told.
    auto *send = new QProcess(qApp);
    send->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    QObject::connect(send, &QProcess::errorOccurred, send, [send, failed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failed(false, modErrors::SystemErrorText(ENOEXEC) + u": "_s + send->errorString());
            send->deleteLater();
        }
    });
    QObject::connect(send, &QProcess::finished, send, [send, failed](int code, QProcess::ExitStatus status) {
        send->deleteLater();
        if (status == QProcess::NormalExit && code == 0)
            return;
        const QString said = QString::fromLocal8Bit(send->readAllStandardError()).trimmed();
        failed(true, QString::number(code) + u": "_s + (said.isEmpty() ? XdgExitText(code) : said));
    });
    send->start(xdgEmail, arguments);
}

void XdgDesktop::open(const QString &pathOrAddress)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(pathOrAddress, QDir::currentPath()));
}

QUrl XdgDesktop::chooseFolder(QWidget *owner, const QString &initialFolder, const QString &title)
{
    return QFileDialog::getExistingDirectoryUrl(owner, title, QUrl::fromLocalFile(initialFolder),
                                                QFileDialog::ShowDirsOnly);
}
