#include "review/ui/CallSending.h"

#include "base/AppContext.h"
#include "base/MainState.h"
#include "base/modErrors.h"
#include "base/modUtilityFunctions.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "base/RuntimeError.h"
#include "callstore/CallFiles.h"
#include "callstore/ui/CallList.h"
#include "review/ui/DesktopShell.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString systemError(int number)
{
    return QString::number(number) + u": "_s + QString::fromLocal8Bit(std::strerror(number));
}

// Copies source to a temporary file beside target and renames it into place once it is
// whole, so that a failed copy leaves whatever had the target's name as it was. 0 or errno.
int CopyWhole(const QString &source, const QString &target)
{
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return errno;
    struct stat st;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int e = S_ISREG(st.st_mode) ? errno : EINVAL;
        ::close(in);
        return e;
    }
    const QFileInfo t(target);
    QByteArray temp = QFile::encodeName(t.absolutePath() + u"/."_s + t.fileName() + u".XXXXXX"_s);
    const int out = ::mkstemp(temp.data());
    int error = out < 0 ? errno : 0;
    char buffer[65536];
    while (error == 0) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno != EINTR)
                error = errno;
            continue;
        }
        for (ssize_t done = 0; done < n && error == 0;) {
            const ssize_t w = ::write(out, buffer + done, size_t(n - done));
            if (w < 0 && errno != EINTR)
                error = errno;
            done += qMax<ssize_t>(w, 0);
        }
    }
    ::close(in);
    if (out >= 0) {
        if (error == 0 && ::fsync(out) != 0)
            error = errno;
        if (::close(out) != 0 && error == 0)
            error = errno;
        if (error == 0 && ::rename(temp.constData(), QFile::encodeName(target).constData()) != 0)
            error = errno;
        if (error != 0)
            ::unlink(temp.constData());
    }
    return error;
}

// The button stays off and the pointer waits until the guard answered goes.
auto Busy(QToolButton *button)
{
    button->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return qScopeGuard([button] {
        QApplication::restoreOverrideCursor();
        button->setEnabled(true);
    });
}

// The mailto handlers that take the attachments xdg-email hands them.
bool TakesAttachments(const QString &desktopId)
{
    static const char *const known[] = {"thunderbird", "icedove", "evolution", "kmail", "claws-mail",
                                        "sylpheed", "balsa"};
    for (const char *name : known)
        if (desktopId.contains(QLatin1StringView(name), Qt::CaseInsensitive))
            return true;
    return false;
}

// What xdg-email's exit codes mean.
QString XdgExitText(int code)
{
    switch (code) {
    case 1: return u"Error in command line syntax"_s;
    case 2: return u"One of the files passed on the command line did not exist"_s;
    case 3: return u"A required tool could not be found"_s;
    case 4: return u"The action failed"_s;
    case 5: return u"No permission to read one of the files passed on the command line"_s;
    default: return u"The mail program failed"_s;
    }
}

} // namespace

CallSending::CallSending(AppContext &ctx, CallList &list, RecorderComponent &player, MainState &state,
                         QWidget *window, QToolButton *email, QToolButton *save,
                         std::function<void()> stopPlayback)
    : QObject(window), m_ctx(ctx), m_list(list), MSSRPlayer(player), m_state(state), m_window(window),
      cmdEmail(email), cmdSave(save), m_stopPlayback(std::move(stopPlayback))
{
    connect(cmdEmail, &QToolButton::clicked, this, &CallSending::cmdEmail_Click);
    connect(cmdSave, &QToolButton::clicked, this, &CallSending::cmdSave_Click);
}

QStringList CallSending::selectedPaths() const
{
    QStringList paths;
    const qsizetype count = m_list.HasCalls() ? m_list.calls().Count() : 0;
    for (qsizetype i = 1; i <= count; ++i)
        if (m_list.IsRowSelected(i))
            paths << m_list.GetCallLocation(i);
    return paths;
}

bool CallSending::IsPCMFile(const QString &path)
{
    MSSRPlayer.Open(path);
    QString description;
    MSSRPlayer.GetFormatDescription(description);
    MSSRPlayer.Close();
    return description.toUpper().contains(u"PCM"_s);
}

bool CallSending::mailProgramTakesAttachments()
{
    QProcess query;
    query.start(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"x-scheme-handler/mailto"_s});
    query.waitForFinished(5000);
    const QString handler = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (TakesAttachments(handler))
        return true;
    return m_ctx.prompts().msgBox(
               u"Your mail program ("_s + (handler.isEmpty() ? u"none set"_s : handler)
                   + u") may not take attachments: the message would reach it without the calls."_s
                   + u"\nAttach them by hand from their folder."_s + u"\n\nSend anyway?"_s,
               Prompts::YesNo, Prompts::Question, u"Email Error"_s)
        == Prompts::Yes;
}

void CallSending::cmdEmail_Click()
{
    if (!m_list.HasCalls())
        return;
    Prompts &prompts = m_ctx.prompts();
    auto emailError = [&prompts](const QString &prefix, const QString &error) {
        prompts.msgBox(prefix + error, Prompts::OkOnly, Prompts::Exclamation, u"Email Error"_s);
    };
    try {
        // The probe below uses the player: a call open in it is closed first.
        if (m_state.PlaybackOpen)
            m_stopPlayback();
        const QStringList paths = selectedPaths();
        qint64 totalKb = 0;
        bool anyPcm = false;
        for (const QString &path : paths) {
            totalKb = qint64(std::nearbyint(double(totalKb) + double(QFileInfo(path).size()) / 1024.0));
            anyPcm = IsPCMFile(path) || anyPcm;
        }
        const QString size = QString::number(double(totalKb) / 1024.0, 'f', 2) + u" Mb"_s;
        QString warning;
        if (!anyPcm && totalKb > 1000)
            warning = u"EMail exceeds 1Mb (Actual size: "_s + size + u")\nEnsure the recipient can accept large emails."_s;
        else if (anyPcm && totalKb > 1024)
            warning = u"EMail exceeds 1Mb (Actual size: "_s + size
                      + u") & contains PCM files\nYou may wish to use a zip program to compress the files before sending."_s;
        if (!warning.isEmpty()
            && prompts.msgBox(warning + u"\n\nSend anyway?"_s, Prompts::YesNo, Prompts::Question,
                              u"Large Email Warning"_s)
                   != Prompts::Yes)
            return;

        const auto busy = Busy(cmdEmail);
        MSSRPlayer.Stop();

        const QString xdgEmail = QStandardPaths::findExecutable(u"xdg-email"_s);
        if (xdgEmail.isEmpty()) {
            emailError(u"Error Starting Email Session - "_s,
                       systemError(ENOENT) + u" (xdg-email, of the package xdg-utils)"_s);
            return;
        }
        const QString subject = u"Voxmere Telephone Call Recording"_s;
        QString body = subject;
        QStringList attachments;
        for (const QString &path : paths) {
            if (::access(QFile::encodeName(path).constData(), R_OK) != 0) {
                emailError(u"Error Adding Attachment - "_s, systemError(errno) + u" ("_s + path + u')');
                continue;
            }
            QString note = CallFiles::getCallNote(path, prompts);
            if (note.isEmpty())
                note = u"<no note>"_s;
            body += u"\n\n"_s + modUtilityFunctions::FileNameOf(path) + u"\nNote: "_s + note;
            attachments << u"--attach"_s << path;
        }
        if (attachments.isEmpty() || !mailProgramTakesAttachments())
            return;

        // The mail program may stay in the foreground until the user sends: it is left
        // running after a while, and only a quick failure is reported.
        auto *send = new QProcess(qApp);
        QEventLoop wait;
        connect(send, &QProcess::finished, &wait, &QEventLoop::quit);
        connect(send, &QProcess::errorOccurred, &wait, &QEventLoop::quit);
        connect(send, &QProcess::finished, send, &QObject::deleteLater);
        send->setProcessChannelMode(QProcess::ForwardedOutputChannel);
        send->start(xdgEmail, QStringList{u"--utf8"_s, u"--subject"_s, subject, u"--body"_s, body} + attachments);
        QTimer::singleShot(15000, &wait, &QEventLoop::quit);
        if (send->state() != QProcess::NotRunning)
            wait.exec();
        if (send->error() == QProcess::FailedToStart) {
            emailError(u"Error Sending Email - "_s, systemError(ENOEXEC) + u": "_s + send->errorString());
            send->deleteLater();
        } else if (send->state() == QProcess::NotRunning
                   && (send->exitStatus() != QProcess::NormalExit || send->exitCode() != 0)) {
            const QString said = QString::fromLocal8Bit(send->readAllStandardError()).trimmed();
            emailError(u"Error Sending Email - "_s,
                       QString::number(send->exitCode()) + u": "_s + (said.isEmpty() ? XdgExitText(send->exitCode()) : said));
        }
    } catch (const std::exception &) {
        // Ends quietly, as the handler always has.
    }
}

void CallSending::cmdSave_Click()
{
    if (!m_list.HasCalls())
        return;
    const auto busy = Busy(cmdSave);
    try {
        if (m_state.PlaybackOpen)
            m_stopPlayback();
        // The dialogs want the normal pointer.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        const auto arrow = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        if (m_ctx.prompts().msgBox(u"Do you want to give your own name to each saved call?"_s, Prompts::YesNo,
                                   Prompts::NoIcon, ProductName())
            == Prompts::Yes) {
            for (const QString &path : selectedPaths())
                SaveFileAs(path, QString());
        } else {
            BulkSave();
        }
    } catch (const std::exception &) {
    }
}

void CallSending::SaveFileAs(const QString &source, QString folder)
{
    try {
        const QString name = modUtilityFunctions::FileNameOf(source);
        QString target;
        if (!folder.isEmpty()) {
            if (!folder.endsWith(u'/'))
                folder += u'/';
            target = folder + name;
        } else {
            QFileDialog dialog(m_window, QString(), QDir::homePath(), u"wav files (*.wav)"_s);
            dialog.setObjectName(u"CommonDlg"_s);
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(u"wav"_s);
            dialog.selectFile(name);
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
                return;
            target = dialog.selectedFiles().constFirst();
        }
        if (const int error = CopyWhole(source, target))
            m_ctx.prompts().msgBox(u"Copy file failed: Error = "_s + systemError(error), Prompts::OkOnly,
                                   Prompts::NoIcon, ProductName());
    } catch (const std::exception &e) {
        modErrors::ReportError(m_ctx.prompts(), RuntimeError::numberOf(e), RuntimeError::descriptionOf(e), 999,
                               u"frmReviewCalls:SaveFileAs Method"_s, QString());
    }
}

void CallSending::BulkSave()
{
    try {
        const QStringList paths = selectedPaths();
        if (paths.isEmpty())
            return;
        if (BulkSaveFolder.isEmpty())
            BulkSaveFolder = QDir::homePath() + u'/';
        BulkSaveFolder = DesktopShell::BrowseForFolder(m_window, BulkSaveFolder, u"Save calls to:"_s, m_ctx.prompts());
        if (BulkSaveFolder.isEmpty())
            return;
        for (const QString &path : paths)
            SaveFileAs(path, BulkSaveFolder);
    } catch (const std::exception &e) {
        modErrors::ReportError(m_ctx.prompts(), RuntimeError::numberOf(e), RuntimeError::descriptionOf(e), 999,
                               u"frmMain:BulkSave Method"_s, QString());
    }
}
