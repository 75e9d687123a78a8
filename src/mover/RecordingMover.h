#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

class SettingsStore;

// Files every finished recording of the temporary folder ("wavs") into the calls folder
// ("CallPath") under the same name, without ever losing or replacing a call: a crash at
// any moment leaves each call whole in one of the two folders, and the next run finishes.
// Movers of one user take turns through a lock on the temporary folder itself; one that
// finds another at work leaves the filing to it, and the one at work lists the folder
// again before it ends. Its last problems stay in the folder until all is filed.
// Movers of other PCs filing into the same share need no lock: each copies under a hidden
// name of its own temporary folder, and a call takes a name only where no file has it
// yet; a name taken by a different call gets the next copy number (CallFiles::
// WithCopyNumber), and the note of the call follows it there.
// A calls folder keeps a marker (CallFiles::FolderMarkName), made when the mover first
// files there: once it has been seen, a folder without it is an empty mount point, and
// nothing is filed into it.
class RecordingMover
{
    Q_DECLARE_TR_FUNCTIONS(RecordingMover)

public:
    // Moments of a copy to another filesystem, for tests that crash the mover there.
    enum class Step {
        Copied, // the temporary copy is complete and flushed, not yet in place
        Placed, // the copy is in place and flushed, the source not yet removed
    };
    using StepHook = std::function<void(Step, const QString &name)>;

    struct Result
    {
        int moved = 0;       // filed into the calls folder
        int duplicates = 0;  // already filed with the same content: the source dropped
        QStringList problems; // what could not be done, one line each
        bool setupFailed = false; // no recording could even be tried
        // 0: all done; 1: some recordings left behind; 2: none could be tried.
        int exitCode() const;
    };

    struct Folders
    {
        QString wavs;
        QString callPath;
    };

    RecordingMover(QString wavs, QString callPath);

    // How long to wait for another mover to let go of the folder before leaving it the work.
    void setLockWait(std::chrono::milliseconds wait) { m_lockWait = wait; }
    void setStepHook(StepHook hook) { m_stepHook = std::move(hook); }
    // The table of configured mounts (shares); "/etc/fstab" unless a test says otherwise.
    void setFstabPath(const QString &path) { m_fstab = path; }

    Result Run();

    // "yyyymmdd-hhmmss-user-seconds.wav": a recording whose capture has ended.
    static bool IsFinishedRecording(const QString &fileName);
    // The note of such a recording, left here when the calls folder could not be reached.
    static bool IsFinishedNote(const QString &fileName);
    // Whether a mover is at work in this temporary folder now.
    static bool AtWork(const QString &wavs);
    // The problems of the last mover that could not file everything, one a line; kept in
    // the temporary folder until a mover files everything.
    static QString StatusFileName(const QString &wavs);
    static QStringList LastProblems(const QString &wavs);
    // The name a copy has in the calls folder until it is complete: hidden, and of this
    // temporary folder alone, so that no other PC's mover ever touches it.
    static QString TemporaryNameOf(const QString &fileName, const QString &wavs);
    // The name under which a call of the temporary folder is filed (its own unless
    // another call had it), where its note goes; known for a month.
    static QString FiledNameOf(const QString &wavs, const QString &callName);

    // "wavs" from the user's own key (the machine key holds whichever user saved last),
    // "CallPath" as the program reads it. Nothing, with the reason, when unusable.
    static std::optional<Folders> FoldersFromSettings(SettingsStore &store, QString *problem);

private:
    // Done: filed or nothing left to do; Taken: another file has the name; Left: a problem.
    enum class Outcome { Done, Taken, Left };
    static constexpr int MaxCopies = 1000;

    bool prepareCallPath(Result &result);
    bool isKnownCallPath() const;
    void rememberCallPath() const;
    void fileCall(const QString &name, Result &result);
    void fileNote(const QString &name, Result &result);
    // `receiptFor`: the call whose filed name is `target`, or empty for a note.
    Outcome place(const QString &name, const QString &target, const QString &receiptFor, Result &result);
    Outcome moveInto(const QString &name, const QString &target, Result &result);
    Outcome copyAcross(const QString &name, const QString &target, Result &result);
    bool keepReceipt(const QString &callName, const QString &target, Result &result) const;
    void pruneReceipts() const;
    void removeSource(const QString &name, const QByteArray &source, Result &result);
    void leave(Result &result, const QString &name, const QString &why) const;
    // Keeps the problems for the program to show; one that cannot be kept is a problem too.
    void keepStatus(Result &result) const;

    QString m_wavs;
    QString m_callPath;
    QString m_fstab;
    // Long enough to cover the last listing of a mover at work, which it makes just
    // before it lets go.
    std::chrono::milliseconds m_lockWait{std::chrono::seconds(5)};
    StepHook m_stepHook;
};
