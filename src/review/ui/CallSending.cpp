#include "review/ui/CallSending.h"

#include "base/AppContext.h"
#include "base/Desktop.h"
#include "base/FileAccess.h"
#include "base/Guarded.h"
#include "base/MainState.h"
#include "base/modErrors.h"
#include "base/modUtilityFunctions.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "base/RuntimeError.h"
#include "callstore/CallFiles.h"
#include "callstore/ui/CallList.h"
#include "desktop/DesktopShell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QToolButton>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {


// Copies source, a regular file of the calls folder, to a temporary file beside target
// and renames it into place once it is whole, so that a failed copy leaves whatever had
// the target's name as it was. 0 or errno; *size the source's length.
int CopyWhole(const QString &source, const QString &target, qint64 *size = nullptr)
{
    struct stat st;
    const int in = FileAccess::OpenRegular(source, &st);
    if (in < 0)
        return errno;
    if (size)
        *size = st.st_size;
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

} // namespace

CallSending::CallSending(AppContext &ctx, CallList &list, RecorderComponent &player, MainState &state,
                         QWidget *window, QToolButton *email, QToolButton *save,
                         std::function<void()> stopPlayback)
    : QObject(window), m_ctx(ctx), m_list(list), MSSRPlayer(player), m_state(state), m_window(window),
      cmdEmail(email), cmdSave(save), m_stopPlayback(std::move(stopPlayback))
{
    GuardedConnect(ctx.prompts(), u"frmMain:cmdEmail_Click"_s, cmdEmail, &QToolButton::clicked, this,
                   &CallSending::cmdEmail_Click);
    GuardedConnect(ctx.prompts(), u"frmMain:cmdSave_Click"_s, cmdSave, &QToolButton::clicked, this,
                   &CallSending::cmdSave_Click);
}

CallSending::~CallSending() = default;

QStringList CallSending::selectedPaths() const
{
    QStringList paths;
    const qsizetype count = m_list.HasCalls() ? m_list.calls().Count() : 0;
    for (qsizetype i = 1; i <= count; ++i)
        if (m_list.IsRowSelected(i))
            paths << m_list.GetCallLocation(i);
    return paths;
}

FileJob *CallSending::startJob(const QString &context, QToolButton *button, FileJob::Work work,
                               std::function<void()> then)
{
    // The button stays off until the job is done.
    button->setEnabled(false);
    auto *job = new FileJob(m_ctx.prompts(), context, std::move(work), this);
    GuardedConnect(m_ctx.prompts(), context, job, &FileJob::finished, this, [job, button, then = std::move(then)] {
        job->deleteLater();
        button->setEnabled(true);
        if (then)
            then();
    });
    emit jobStarted(job);
    return job;
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
    const QString handler = m_ctx.services.desktop.mailProgram();
    if (TakesAttachments(handler))
        return true;
    return m_ctx.prompts().msgBox(
               tr("Your mail program (%1) may not take attachments: the message would reach it without the calls."
                  "\nAttach them by hand from their folder.")
                       .arg(handler.isEmpty() ? tr("none set") : handler)
                   + tr("\n\nSend anyway?"),
               Prompts::YesNo, Prompts::Question, tr("Email Error"))
        == Prompts::Yes;
}

void CallSending::cmdEmail_Click()
{
    if (!m_list.HasCalls())
        return;
    // The probe uses the player: a call open in it is closed first.
    if (m_state.PlaybackOpen)
        m_stopPlayback();
    // The calls go to the mail program as copies in a folder of the user's own, made from
    // files opened as regular files: a call swapped for a link meanwhile cannot send
    // what it points at.
    m_mailFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/voxmere-mail-XXXXXX"_s);
    auto mail = std::make_shared<std::vector<Attachment>>();
    const QStringList paths = selectedPaths();
    const QString folder = m_mailFolder->path();
    startJob(u"frmMain:cmdEmail_Click"_s, cmdEmail, [paths, folder, mail](FileJob::Control &control) {
        for (qsizetype i = 0; i < paths.size() && !control.cancelled(); ++i) {
            control.progress(tr("Preparing call %1 of %2 for mail").arg(i + 1).arg(paths.size()));
            Attachment a;
            a.source = paths[i];
            a.copy = folder + u'/' + QString::number(i + 1) + u'/' + modUtilityFunctions::FileNameOf(a.source);
            QDir().mkpath(QFileInfo(a.copy).path());
            a.error = CopyWhole(a.source, a.copy, &a.size);
            if (a.error == 0)
                a.note = CallFiles::getCallNote(a.source, control);
            mail->push_back(a);
        }
    }, [this, mail] { SendMail(*mail); });
}

void CallSending::SendMail(const std::vector<Attachment> &mail)
{
    Prompts &prompts = m_ctx.prompts();
    auto emailError = [&prompts](const QString &prefix, const QString &error) {
        prompts.msgBox(prefix + error, Prompts::OkOnly, Prompts::Exclamation, tr("Email Error"));
    };
    qint64 totalKb = 0;
    bool anyPcm = false;
    for (const Attachment &a : mail) {
        totalKb = qint64(std::nearbyint(double(totalKb) + double(a.size) / 1024.0));
        anyPcm = (a.error == 0 && IsPCMFile(a.copy)) || anyPcm;
    }
    const QString size = tr("%1 Mb").arg(QLocale().toString(double(totalKb) / 1024.0, 'f', 2));
    QString warning;
    if (!anyPcm && totalKb > 1000)
        warning = tr("EMail exceeds 1Mb (Actual size: %1)\nEnsure the recipient can accept large emails.").arg(size);
    else if (anyPcm && totalKb > 1024)
        warning = tr("EMail exceeds 1Mb (Actual size: %1) & contains PCM files\n"
                     "You may wish to use a zip program to compress the files before sending.").arg(size);
    if (!warning.isEmpty()
        && prompts.msgBox(warning + tr("\n\nSend anyway?"), Prompts::YesNo, Prompts::Question, tr("Large Email Warning"))
               != Prompts::Yes)
        return;

    MSSRPlayer.Stop();
    Desktop::Mail message{tr("Voxmere Telephone Call Recording"), tr("Voxmere Telephone Call Recording"), {}};
    for (const Attachment &a : mail) {
        if (a.error != 0) {
            emailError(tr("Error Adding Attachment - "), modErrors::SystemErrorText(a.error) + u" ("_s + a.source + u')');
            continue;
        }
        const QString note = a.note.isEmpty() ? tr("<no note>") : a.note;
        message.body += u"\n\n"_s + modUtilityFunctions::FileNameOf(a.source) + tr("\nNote: ") + note;
        message.attachments << a.copy;
    }
    if (message.attachments.isEmpty() || !mailProgramTakesAttachments())
        return;
    m_ctx.services.desktop.compose(message, Guarded(prompts, u"frmMain:cmdEmail_Click"_s, [emailError](bool started, const QString &error) {
        emailError(started ? tr("Error Sending Email - ") : tr("Error Starting Email Session - "), error);
    }));
}

void CallSending::cmdSave_Click()
{
    if (!m_list.HasCalls())
        return;
    if (m_state.PlaybackOpen)
        m_stopPlayback();
    // The questions first, on the window's thread; then the copies in a job.
    QList<std::pair<QString, QString>> copies;
    if (m_ctx.prompts().msgBox(tr("Do you want to give your own name to each saved call?"), Prompts::YesNo,
                               Prompts::NoIcon, ProductName())
        == Prompts::Yes) {
        for (const QString &path : selectedPaths())
            if (const QString target = SaveTarget(path, QString()); !target.isEmpty())
                copies.append({path, target});
    } else {
        copies = BulkSave();
    }
    if (copies.isEmpty())
        return;
    startJob(u"frmMain:BulkSave Method"_s, cmdSave, [copies](FileJob::Control &control) {
        for (qsizetype i = 0; i < copies.size() && !control.cancelled(); ++i) {
            control.progress(tr("Saving call %1 of %2").arg(i + 1).arg(copies.size()));
            if (const int error = CopyWhole(copies[i].first, copies[i].second))
                control.msgBox(tr("Copy file failed: Error = ") + modErrors::SystemErrorText(error), Prompts::OkOnly, Prompts::NoIcon,
                               ProductName());
        }
    });
}

QString CallSending::SaveTarget(const QString &source, QString folder)
{
    try {
        const QString name = modUtilityFunctions::FileNameOf(source);
        if (!folder.isEmpty()) {
            if (!folder.endsWith(u'/'))
                folder += u'/';
            return folder + name;
        }
        QFileDialog dialog(m_window, QString(), QDir::homePath(), tr("wav files (*.wav)"));
        dialog.setObjectName(u"CommonDlg"_s);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(u"wav"_s);
        dialog.selectFile(name);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    } catch (const std::exception &e) {
        modErrors::ReportError(m_ctx.prompts(), RuntimeError::numberOf(e), RuntimeError::descriptionOf(e), 999,
                               u"frmReviewCalls:SaveFileAs Method"_s, QString());
        return QString();
    }
}

QList<std::pair<QString, QString>> CallSending::BulkSave()
{
    QList<std::pair<QString, QString>> copies;
    const QStringList paths = selectedPaths();
    if (paths.isEmpty())
        return copies;
    if (BulkSaveFolder.isEmpty())
        BulkSaveFolder = QDir::homePath() + u'/';
    BulkSaveFolder = DesktopShell::BrowseForFolder(m_ctx.services.desktop, m_window, BulkSaveFolder, tr("Save calls to:"), m_ctx.prompts());
    if (BulkSaveFolder.isEmpty())
        return copies;
    for (const QString &path : paths)
        copies.append({path, SaveTarget(path, BulkSaveFolder)});
    return copies;
}
