#include "mover/RecordingMover.h"

#include "base/FileAccess.h"
#include "base/modRegistry.h"
#include "base/Product.h"
#include "base/ProgramSettings.h"
#include "base/SettingsStore.h"
#include "callstore/CallFiles.h"
#include "mover/FolderLock.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QSysInfo>

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mntent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace Qt::StringLiterals;
using CallFiles::JoinPath;

namespace {

constexpr qsizetype ChunkBytes = 1 << 16;

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString describe(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// A file descriptor closed on every way out.
class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// Reads until the buffer is full or the file ends; -1 on an error.
qsizetype readFull(int fd, char *buffer, qsizetype size)
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

enum class Same { Yes, No, Unknown };

Same sameContent(const QByteArray &a, const QByteArray &b, int *err)
{
    // Without blocking: a pipe or device of that name would hold the mover, and its lock,
    // for ever. Only a regular file can be the same call.
    const Fd fa(::open(a.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fa.get() < 0)
        return *err = errno, Same::Unknown;
    const Fd fb(::open(b.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fb.get() < 0)
        return *err = errno, Same::Unknown;
    struct stat sa, sb;
    if (::fstat(fa.get(), &sa) != 0 || ::fstat(fb.get(), &sb) != 0)
        return *err = errno, Same::Unknown;
    if (!S_ISREG(sa.st_mode) || !S_ISREG(sb.st_mode) || sa.st_size != sb.st_size)
        return Same::No;
    QByteArray ba(ChunkBytes, Qt::Uninitialized), bb(ChunkBytes, Qt::Uninitialized);
    for (;;) {
        const qsizetype na = readFull(fa.get(), ba.data(), ChunkBytes);
        const qsizetype nb = na < 0 ? 0 : readFull(fb.get(), bb.data(), ChunkBytes);
        if (na < 0 || nb < 0)
            return *err = errno, Same::Unknown;
        if (na != nb || std::memcmp(ba.constData(), bb.constData(), size_t(na)) != 0)
            return Same::No;
        if (na < ChunkBytes)
            return Same::Yes;
    }
}

// Makes a file's content, then its folder's entries, durable. 0 or the error.
int syncFile(const QByteArray &path)
{
    const Fd fd(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0)
        return errno;
    return 0;
}

int syncFolder(const QString &folder)
{
    const Fd fd(::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        return errno;
    if (::fsync(fd.get()) == 0)
        return 0;
    // Some filesystems cannot flush a folder; they keep their entries themselves.
    return errno == EINVAL || errno == EOPNOTSUPP ? 0 : errno;
}

enum class Placed { Renamed, Linked, Failed };

// Gives `from` the name `to` unless `to` exists. Linked: both names hold the file and
// `from` is still to be removed. Failed: *err says why.
Placed placeWithoutReplacing(const QByteArray &from, const QByteArray &to, int *err)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return Placed::Renamed;
    *err = errno;
    if (*err != EINVAL && *err != ENOSYS && *err != EOPNOTSUPP)
        return Placed::Failed;
    // No such rename on this filesystem (NFS): a hard link never replaces either.
    if (::link(from.constData(), to.constData()) == 0)
        return Placed::Linked;
    *err = errno;
    return Placed::Failed;
}

QStringList mountPointsIn(const QString &table)
{
    QStringList dirs;
    if (FILE *f = ::setmntent(native(table).constData(), "r")) {
        while (const mntent *m = ::getmntent(f))
            dirs << QDir::cleanPath(QFile::decodeName(m->mnt_dir));
        ::endmntent(f);
    }
    return dirs;
}

// A configured mount (a share) that is not mounted leaves its bare mount point behind:
// calls filed there would vanish under the share when it comes back.
QString unmountedMountPointOf(const QString &path, const QString &fstab)
{
    const QString wanted = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QStringList mounted = mountPointsIn(u"/proc/self/mounts"_s);
    for (const QString &dir : mountPointsIn(fstab)) {
        if (!dir.startsWith(u'/')) // swap and the like
            continue;
        const bool holdsPath = dir == u"/"_s || wanted == dir || wanted.startsWith(dir + u'/');
        const QString real = QFileInfo(dir).canonicalFilePath();
        if (holdsPath && !mounted.contains(dir) && (real.isEmpty() || !mounted.contains(real)))
            return dir;
    }
    return QString();
}

bool sameFolder(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return ::stat(native(a).constData(), &sa) == 0 && ::stat(native(b).constData(), &sb) == 0
        && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace

int RecordingMover::Result::exitCode() const
{
    if (setupFailed)
        return 2;
    return problems.isEmpty() ? 0 : 1;
}

RecordingMover::RecordingMover(QString wavs, QString callPath)
    : m_wavs(std::move(wavs)), m_callPath(std::move(callPath)), m_fstab(u"/etc/fstab"_s)
{
}

bool RecordingMover::IsFinishedRecording(const QString &fileName)
{
    // The length field is digits, so a name still in progress never passes, whatever its user.
    static const QRegularExpression finished(u"^[0-9]{8}-[0-9]{6}-[^/]+-[0-9]+\\.wav$"_s);
    return finished.match(fileName).hasMatch();
}

bool RecordingMover::IsFinishedNote(const QString &fileName)
{
    return fileName.endsWith(u".txt"_s) && IsFinishedRecording(fileName.chopped(4) + u".wav"_s);
}

bool RecordingMover::AtWork(const QString &wavs)
{
    FolderLock probe(wavs);
    return !probe.tryLock(false) && probe.error() == 0;
}

QString RecordingMover::StatusFileName(const QString &wavs)
{
    return JoinPath(wavs, u".voxmere-mover-status"_s);
}

QStringList RecordingMover::LastProblems(const QString &wavs)
{
    QFile file(StatusFileName(wavs));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QString RecordingMover::TemporaryNameOf(const QString &fileName, const QString &wavs)
{
    // Named after this PC and this temporary folder: two PCs filing calls of one name
    // never write into one copy. Hidden and not ".wav": the call list never shows it.
    struct stat st {};
    ::stat(native(wavs).constData(), &st);
    QByteArray pc = QSysInfo::machineUniqueId();
    if (pc.isEmpty())
        pc = QSysInfo::machineHostName().toUtf8();
    pc += '/' + QByteArray::number(quint64(st.st_dev)) + '/' + QByteArray::number(quint64(st.st_ino));
    return u'.' + fileName + u'.' + QString::fromLatin1(QCryptographicHash::hash(pc, QCryptographicHash::Md5).toHex().left(12))
        + u".part"_s;
}

std::optional<RecordingMover::Folders> RecordingMover::FoldersFromSettings(SettingsStore &store,
                                                                           QString *problem)
{
    const QString wavs =
        store.registry().ReadStringValue(store.UserKey(), u"wavs"_s, QString(), false);
    if (wavs.isEmpty() || wavs == modRegistry::ErrorText()) {
        *problem = tr("no temporary recording folder (\"wavs\") is set");
        return std::nullopt;
    }
    const QString callPath =
        store.GetStringSetting(u"CallPath"_s, ProgramSettings::DefaultCallPath());
    if (callPath.isEmpty() || callPath == modRegistry::ErrorText()) {
        *problem = tr("the calls folder (\"CallPath\") cannot be read from the settings");
        return std::nullopt;
    }
    return Folders{wavs, callPath};
}

RecordingMover::Result RecordingMover::Run()
{
    Result result;
    if (!QFileInfo(m_wavs).isDir()) {
        result.setupFailed = true;
        result.problems << tr("the temporary recording folder %1 does not exist").arg(m_wavs);
        return result;
    }
    FolderLock lock(m_wavs);
    if (!lock.lock(m_lockWait)) {
        if (lock.error()) {
            result.setupFailed = true;
            result.problems << tr("cannot lock %1 (%2); recordings are left there for the next launch")
                                   .arg(m_wavs, describe(lock.error()));
        }
        // Else a mover is at work: it lists the folder again before it ends.
        return result;
    }
    // Listed again after each pass until nothing new is there: a call filed while this
    // mover was at work, whose own mover gave up, is filed too.
    QSet<QString> tried;
    for (;;) {
        QStringList names = QDir(m_wavs).entryList(QDir::Files | QDir::NoSymLinks, QDir::Name);
        names.removeIf([&](const QString &name) {
            return tried.contains(name) || (!IsFinishedRecording(name) && !IsFinishedNote(name));
        });
        if (names.isEmpty()) {
            pruneReceipts();
            return result;
        }
        if (tried.isEmpty() && !prepareCallPath(result)) {
            keepStatus(result);
            return result;
        }
        // Calls first: a note goes where its call went.
        std::stable_partition(names.begin(), names.end(), IsFinishedRecording);
        for (const QString &name : std::as_const(names)) {
            IsFinishedRecording(name) ? fileCall(name, result) : fileNote(name, result);
            tried.insert(name);
        }
        keepStatus(result);
    }
}

void RecordingMover::keepStatus(Result &result) const
{
    const QString path = StatusFileName(m_wavs);
    if (result.problems.isEmpty()) {
        QFile status(path);
        if (status.exists() && !status.remove())
            result.problems << tr("the old problems in %1 cannot be cleared: %2").arg(path, status.errorString());
        return;
    }
    // Whole or not at all, for the program that reads it at any moment.
    QSaveFile file(path);
    const QByteArray text = result.problems.join(u'\n').toUtf8() + '\n';
    // A disk that fills up takes part of a write without an error: the size tells.
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush()
        || file.size() != text.size() || !file.commit())
        result.problems << tr("the problems cannot be kept in %1 for %2 to show: %3").arg(path, ProductName(), file.errorString());
}

bool RecordingMover::prepareCallPath(Result &result)
{
    const auto refuse = [&](const QString &why) {
        result.setupFailed = true;
        result.problems << tr("the calls folder %1 cannot be reached (%2); recordings are left in %3 for the next launch")
                               .arg(m_callPath, why, m_wavs);
        return false;
    };
    const QString share = unmountedMountPointOf(m_callPath, m_fstab);
    if (!share.isEmpty())
        return refuse(tr("%1 is not mounted").arg(share));
    if (sameFolder(m_callPath, m_wavs)) {
        result.setupFailed = true;
        result.problems << tr("the calls folder and the temporary recording folder are the same folder %1; nothing moved")
                               .arg(m_callPath);
        return false;
    }
    const QByteArray mark = native(JoinPath(m_callPath, CallFiles::FolderMarkName.toString()));
    struct stat markInfo;
    const bool marked = ::lstat(mark.constData(), &markInfo) == 0;
    if (!marked && errno != ENOENT && errno != ENOTDIR)
        return refuse(describe(errno)); // a dead server answers so
    if (!marked && isKnownCallPath())
        return refuse(tr("it holds no %1 any more: is the share it is on mounted?").arg(CallFiles::FolderMarkName));
    if (!QFileInfo::exists(m_callPath) && !FileAccess::MakeFolders(m_callPath))
        return refuse(tr("it cannot be created"));
    if (!QFileInfo(m_callPath).isDir())
        return refuse(tr("it is not a folder"));
    if (!marked) {
        // First used here. A folder that cannot take the marker cannot take calls either:
        // the calls themselves say why.
        const Fd fd(::open(mark.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.get() < 0)
            return true;
        FileAccess::TakeAccessOf(fd.get(), m_callPath);
        const QByteArray text = ProductName().toUtf8() + " keeps its calls in this folder; this file tells it the folder is there.\n";
        if (!writeAll(fd.get(), text.constData(), text.size()) || ::fsync(fd.get()) != 0)
            return true;
    }
    rememberCallPath();
    return true;
}

static QString knownFoldersFile(const QString &wavs)
{
    return JoinPath(wavs, u".voxmere-mover-folders"_s);
}

static QStringList knownFolders(const QString &wavs)
{
    QFile file(knownFoldersFile(wavs));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                          : QStringList();
}

bool RecordingMover::isKnownCallPath() const
{
    return knownFolders(m_wavs).contains(QDir::cleanPath(QFileInfo(m_callPath).absoluteFilePath()));
}

void RecordingMover::rememberCallPath() const
{
    QStringList known = knownFolders(m_wavs);
    const QString folder = QDir::cleanPath(QFileInfo(m_callPath).absoluteFilePath());
    if (known.contains(folder))
        return;
    known << folder;
    // Not kept (a full disk): the folder is not told from a mount point until it is.
    QSaveFile file(knownFoldersFile(m_wavs));
    if (file.open(QIODevice::WriteOnly) && file.write(known.join(u'\n').toUtf8() + '\n') > 0)
        file.commit();
}

static QString receiptOf(const QString &wavs, const QString &callName)
{
    return JoinPath(wavs, u'.' + callName + u".filed-as"_s);
}

QString RecordingMover::FiledNameOf(const QString &wavs, const QString &callName)
{
    QFile receipt(receiptOf(wavs, callName));
    const QString filed = receipt.open(QIODevice::ReadOnly) ? QString::fromUtf8(receipt.read(4096)).trimmed() : QString();
    return IsFinishedRecording(filed) ? filed : callName;
}

bool RecordingMover::keepReceipt(const QString &callName, const QString &target, Result &result) const
{
    const QString path = receiptOf(m_wavs, callName);
    if (target == callName) {
        if (::unlink(native(path).constData()) == 0 || errno == ENOENT)
            return true;
        leave(result, callName, tr("cannot remove %1: %2").arg(path, describe(errno)));
        return false;
    }
    // Kept before the call takes the name: its note, however late, follows it there.
    QSaveFile file(path);
    const QByteArray text = target.toUtf8() + '\n';
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    leave(result, callName, tr("another call has its name in %1, and where it goes instead (%2) cannot be kept in %3: %4")
                                .arg(m_callPath, target, path, file.errorString()));
    return false;
}

void RecordingMover::pruneReceipts() const
{
    // A receipt serves the note that follows its call, and the program that lists the
    // call; a month after, both have long gone.
    const QDateTime old = QDateTime::currentDateTime().addDays(-30);
    const QDir wavs(m_wavs);
    for (const QFileInfo &receipt : wavs.entryInfoList({u".*.filed-as"_s}, QDir::Files | QDir::Hidden)) {
        const QString call = receipt.fileName().mid(1).chopped(9);
        if (receipt.lastModified() < old && !wavs.exists(call) && !wavs.exists(call.chopped(4) + u".txt"_s))
            QFile::remove(receipt.filePath());
    }
}

void RecordingMover::fileCall(const QString &name, Result &result)
{
    const int first = CallFiles::CopyNumberOf(name);
    for (int copy = first; copy < first + MaxCopies; ++copy)
        if (place(name, CallFiles::WithCopyNumber(name, copy), name, result) != Outcome::Taken)
            return;
    leave(result, name, tr("%1 calls of that name are already in %2").arg(MaxCopies).arg(m_callPath));
}

void RecordingMover::fileNote(const QString &name, Result &result)
{
    const QString call = name.chopped(4) + u".wav"_s;
    struct stat st;
    if (::lstat(native(JoinPath(m_wavs, call)).constData(), &st) == 0)
        return; // it goes with its call, once that is filed
    const QString filed = FiledNameOf(m_wavs, call);
    const QString target = filed.chopped(4) + u".txt"_s;
    switch (place(name, target, QString(), result)) {
    case Outcome::Done:
        return;
    case Outcome::Taken:
        return leave(result, name, tr("a different note is already beside its call %1 in %2").arg(filed, m_callPath));
    case Outcome::Left:
        return;
    }
}

RecordingMover::Outcome RecordingMover::place(const QString &name, const QString &target, const QString &receiptFor,
                                              Result &result)
{
    const QByteArray source = native(JoinPath(m_wavs, name));
    const QByteArray to = native(JoinPath(m_callPath, target));
    // Again when another PC took the name between the look and the placing.
    for (int look = 0; look < 3; ++look) {
        struct stat st;
        if (::lstat(to.constData(), &st) == 0) {
            int err = 0;
            switch (sameContent(source, to, &err)) {
            case Same::Yes:
                // Filed already (a run cut short before removing it): this one is a spare,
                // once the filed one is surely on disk.
                if (!receiptFor.isEmpty() && !keepReceipt(receiptFor, target, result))
                    return Outcome::Left;
                if ((err = syncFile(to)) || (err = syncFolder(m_callPath))) {
                    leave(result, name, tr("cannot flush %1: %2").arg(m_callPath, describe(err)));
                    return Outcome::Left;
                }
                // With the hidden copy a run cut short between the placing and its end left.
                ::unlink(native(JoinPath(m_callPath, TemporaryNameOf(name, m_wavs))).constData());
                removeSource(name, source, result);
                ++result.duplicates;
                return Outcome::Done;
            case Same::No:
                return Outcome::Taken;
            case Same::Unknown:
                leave(result, name, tr("cannot compare it with %1 in %2: %3").arg(target, m_callPath, describe(err)));
                return Outcome::Left;
            }
        }
        if (errno != ENOENT) {
            leave(result, name, tr("cannot look into %1: %2").arg(m_callPath, describe(errno)));
            return Outcome::Left;
        }
        if (!receiptFor.isEmpty() && !keepReceipt(receiptFor, target, result))
            return Outcome::Left;
        const Outcome placed = moveInto(name, target, result);
        if (placed != Outcome::Taken)
            return placed;
    }
    return Outcome::Taken;
}

RecordingMover::Outcome RecordingMover::moveInto(const QString &name, const QString &target, Result &result)
{
    const QByteArray source = native(JoinPath(m_wavs, name));
    const QByteArray to = native(JoinPath(m_callPath, target));
    // Held across the rename: the call filed is this file, whatever its name is by then.
    const Fd file(::open(source.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    int err = 0;
    const Placed placed = placeWithoutReplacing(source, to, &err);
    if (placed != Placed::Failed && file.get() >= 0)
        FileAccess::TakeAccessOf(file.get(), m_callPath);
    switch (placed) {
    case Placed::Renamed:
        // One atomic step: the call is in one folder or the other, whatever happens.
        syncFolder(m_callPath);
        syncFolder(m_wavs);
        ++result.moved;
        return Outcome::Done;
    case Placed::Linked:
        if (const int e = syncFolder(m_callPath)) {
            leave(result, name, tr("cannot flush %1: %2").arg(m_callPath, describe(e)));
            return Outcome::Left;
        }
        removeSource(name, source, result);
        ++result.moved;
        return Outcome::Done;
    case Placed::Failed:
        break;
    }
    if (err == EEXIST)
        return Outcome::Taken;
    if (err == EXDEV)
        return copyAcross(name, target, result);
    if (err == ENOENT && !QFileInfo::exists(QFile::decodeName(source)))
        return Outcome::Done; // gone meanwhile: nothing left to file
    leave(result, name, tr("cannot move it into %1: %2").arg(m_callPath, describe(err)));
    return Outcome::Left;
}

RecordingMover::Outcome RecordingMover::copyAcross(const QString &name, const QString &target, Result &result)
{
    const QByteArray source = native(JoinPath(m_wavs, name));
    const QByteArray to = native(JoinPath(m_callPath, target));
    const QByteArray temporary = native(JoinPath(m_callPath, TemporaryNameOf(name, m_wavs)));
    const auto fail = [&](const QString &why) {
        ::unlink(temporary.constData());
        leave(result, name, why);
        return Outcome::Left;
    };

    const Fd in(::open(source.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat sourceInfo;
    if (in.get() < 0 || ::fstat(in.get(), &sourceInfo) != 0)
        return leave(result, name, tr("cannot read it: %1").arg(describe(errno))), Outcome::Left;
    if (!S_ISREG(sourceInfo.st_mode))
        return leave(result, name, tr("not a regular file")), Outcome::Left;
    // A copy left by a run of this temporary folder cut short goes; a new one is made,
    // never one another user left there, and it is private until it has the calls
    // folder's access.
    ::unlink(temporary.constData());
    Fd out(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (out.get() < 0)
        return fail(tr("cannot write into %1: %2").arg(m_callPath, describe(errno)));
    FileAccess::TakeAccessOf(out.get(), m_callPath);

    QByteArray buffer(ChunkBytes, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const qsizetype n = readFull(in.get(), buffer.data(), ChunkBytes);
        if (n < 0)
            return fail(tr("cannot read it: %1").arg(describe(errno)));
        if (n == 0)
            break;
        if (!writeAll(out.get(), buffer.constData(), n))
            return fail(tr("cannot copy it into %1: %2").arg(m_callPath, describe(errno)));
        copied += n;
    }
    const timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    ::futimens(out.get(), times); // the call keeps its own time stamp
    if (::fsync(out.get()) != 0)
        return fail(tr("cannot flush the copy in %1: %2").arg(m_callPath, describe(errno)));
    if (::close(out.release()) != 0)
        return fail(tr("cannot close the copy in %1: %2").arg(m_callPath, describe(errno)));
    struct stat copyInfo;
    if (::stat(temporary.constData(), &copyInfo) != 0)
        return fail(tr("the copy in %1 is gone: %2").arg(m_callPath, describe(errno)));
    if (copied != sourceInfo.st_size || copyInfo.st_size != sourceInfo.st_size)
        return fail(tr("the copy in %1 has %2 bytes instead of %3").arg(m_callPath)
                        .arg(qint64(copyInfo.st_size))
                        .arg(qint64(sourceInfo.st_size)));
    if (m_stepHook)
        m_stepHook(Step::Copied, name);

    int err = 0;
    const Placed placed = placeWithoutReplacing(temporary, to, &err);
    if (placed == Placed::Failed && err == EEXIST) {
        ::unlink(temporary.constData());
        return Outcome::Taken;
    }
    if (placed == Placed::Failed)
        return fail(tr("cannot put the copy in place in %1: %2").arg(m_callPath, describe(err)));
    // Both names left (the server gone between the two steps): the next run finds the call
    // filed and removes the hidden one with the source.
    if (placed == Placed::Linked && ::unlink(temporary.constData()) != 0 && errno != ENOENT)
        return leave(result, name, tr("cannot remove its hidden copy in %1: %2").arg(m_callPath, describe(errno))),
               Outcome::Left;
    // The source goes only once the copy's name is on disk; until then a rerun finds both.
    if (const int e = syncFolder(m_callPath))
        return leave(result, name, tr("cannot flush %1: %2").arg(m_callPath, describe(e))), Outcome::Left;
    if (m_stepHook)
        m_stepHook(Step::Placed, name);
    removeSource(name, source, result);
    ++result.moved;
    return Outcome::Done;
}

void RecordingMover::removeSource(const QString &name, const QByteArray &source, Result &result)
{
    if (::unlink(source.constData()) != 0) {
        result.problems << tr("%1: filed in %2, but cannot be removed from %3: %4").arg(
            name, m_callPath, m_wavs, describe(errno));
        return;
    }
    syncFolder(m_wavs);
}

void RecordingMover::leave(Result &result, const QString &name, const QString &why) const
{
    result.problems << tr("%1: %2; left in %3").arg(name, why, m_wavs);
}
