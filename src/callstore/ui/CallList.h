#pragma once

#include "callstore/CallListingSink.h"
#include "base/Prompts.h"
#include "callstore/colCalls.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct AppContext;
class CallListModel;
class FileJob;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QTreeView;

// The call list of the main window: the list control lvwCalls over the calls
// collection, the note box, the count panel of the status bar and the pop-up menu.
// Row n of the list is always position n of the collection.
class CallList : public QObject
{
    Q_OBJECT
public:
    CallList(AppContext &app, QTreeView *lvwCalls, QPlainTextEdit *txtCallNote,
             QLabel *countPanel, QObject *parent = nullptr);
    ~CallList() override;

    // The current collection (a new, empty one when there is none).
    colCalls &calls();
    CallListModel &model() const { return *m_model; }

    // Listing: the search runs as a job on a thread of its own, reporting to the sink and
    // asking through the prompts it is given; the list takes its matches in batches. A
    // new listing cancels the one running. `done` hears the count listed, unless a newer
    // listing took over.
    // With a watch, the list then follows its folder (tmrLiveList) until the next listing.
    // A listing whose folder stops answering is given up (FileJob::StallLimit).
    using Search = std::function<void(CallListingSink &sink, Prompts &prompts)>;
    void StartListing(Search search, std::function<void(qsizetype listed)> done = {},
                      std::shared_ptr<ListingWatch> watch = {});
    // The listing running, or null.
    FileJob *Listing() const { return m_listing; }
    void AddCallsToGrid();
    // The record at this position (from 1) was inserted into / removed from the
    // collection, or changed there: the list follows.
    void AddSingleRow(qsizetype position);
    // Where a call this program filed is once the mover has put it there; nothing while
    // it waits. Asked on a job's thread.
    using WhereFiled = std::function<std::optional<QString>()>;
    // The call just put at position 1 is one this program filed: its row follows it when
    // the mover files it under another name (another PC's call had its own).
    void AddFiledRow(const colCalls::Record &call, WhereFiled whereFiled);
    void RemoveRow(qsizetype position);
    void RowChanged(qsizetype position);
    // The viewed folder is gone: no collection, no rows.
    void ClearListing();

    // Columns, note box and count.
    void SetUpCallColumns();
    void SizeCallColumns();
    void SaveColumnWidths();
    void UpdateNoteField();

    // Rows and records.
    bool HasCalls() const;
    colCalls::Record GetCallByKey(const QString &key) const;
    QString GetCallLocation(qsizetype position) const;
    QString GetCallUser(qsizetype position) const;
    QString SelectedKey() const;                 // the selected row's key, "" without one
    bool IsRowSelected(qsizetype position) const;
    struct Selection
    {
        qint16 count = 0;
        bool permitted = false;
    };
    Selection CanDeleteSelection() const;

    // The note editor on the call with this key; a changed note goes to its file, the
    // record, the row and the note box.
    // The note file is read and written in jobs, so a share that hangs holds no window.
    void EditCallNote(const QString &key);
    bool EditingNote() const { return m_editingNote; } // the editor or its jobs are at work
    // The note shown for the call at `audio` wherever it is listed, once it is written.
    void ShowCallNote(const QString &audio, const QString &note);
    // Deletes the selected calls the user may delete, their files and rows. Before a
    // call's files go, ReleaseFile lets whoever holds its audio open let go of it.
    void DeleteSelectedCalls();
    std::function<void(const QString &audioPath)> ReleaseFile;
    // A listed call's file went from the folder elsewhere (another PC deleted it).
    std::function<void(const QString &audioPath)> GoneElsewhere;

    // Every LiveInterval, unless a listing or the last look still runs: a look at the
    // folder in a job, whose changes the list then takes row by row.
    static constexpr int LiveInterval = 2000;
    void tmrLiveList_Timer();
    QTimer *tmrLiveList;
    // The question when a note changed on another PC since the editor opened it.
    static QString NoteConflictQuestion();
    static QString BothNotes(const QString &mine, const QString &theirs);

    // Events of lvwCalls, also reached from tests.
    void lvwCalls_MouseDown(Qt::MouseButton button, const QPoint &pos);
    void lvwCalls_DblClick();
    void lvwCalls_KeyUp(int key);
    void lvwCalls_KeyPress(int key);
    void lvwCalls_OLEDragDrop(const QStringList &files);

    QMenu *mnuPopup;
    QAction *mnuPopupPlayCall, *mnuPopupEditNote, *mnuPopupDeleteCall, *mnuPopupEmailCall,
        *mnuPopupSaveCall;

signals:
    // A job over the calls folder began: the window shows its progress.
    void jobStarted(FileJob *job);
    void playCallRequested(const QString &key);
    void playFileRequested(const QString &path); // a dropped WAV or MP3
    void editNoteRequested(const QString &key);
    void deleteRequested();
    void emailRequested();
    void saveRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterEvent(QObject *watched, QEvent *event);
    void listingReplaced();
    void callsFound(const std::vector<colCalls::Record> &batch);
    void applyChanges(const ListingWatch::Changes &changes);
    // Rows of calls filed here, at the paths the mover gave them.
    using Filed = std::vector<std::pair<std::weak_ptr<clsCall>, QString>>;
    void followFiled(const Filed &filed);
    // The calls the user sees: the rows in view (MaxShown at most) and the selected one.
    QStringList shownCalls() const;
    static constexpr int MaxShown = 100;
    struct NoteEdit;
    void askNote(const std::shared_ptr<NoteEdit> &edit);
    // `work` on the note's file in a job, then `then` here unless the job failed or gave up.
    void onNoteFile(const std::shared_ptr<NoteEdit> &edit, std::function<void(NoteEdit &)> work,
                    std::function<void()> then);
    void noteEditEnded(const NoteEdit &edit);
    void ShowCount();
    void EnablePopupEntries();
    // Double click and Enter: no call plays without "CanPlay".
    void PlayIfPermitted();
    double widthRatio() const;
    int rowAt(const QPoint &pos) const;

    AppContext &m_app;
    QTreeView *m_view;
    QPlainTextEdit *m_note;
    QLabel *m_count;
    CallListModel *m_model;
    std::unique_ptr<colCalls> m_calls;
    int m_referenceWidth = 0;  // the list's width when first laid out
    int m_lastButton = 0;      // 1 left, 2 right
    FileJob *m_listing = nullptr;
    quint64 m_listingNumber = 0; // which listing the batches arriving belong to
    std::shared_ptr<ListingWatch> m_watch; // of the listing shown
    bool m_looking = false;               // a look of the watch runs
    struct FiledRow
    {
        std::weak_ptr<clsCall> call;
        WhereFiled where;
    };
    std::vector<FiledRow> m_filing; // rows of calls filed here that the mover has not put yet
    bool m_editingNote = false;
};
