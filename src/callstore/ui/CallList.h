#pragma once

#include "callstore/CallListingSink.h"
#include "callstore/colCalls.h"

#include <QObject>
#include <functional>
#include <memory>

struct AppContext;
class CallListModel;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTreeView;

// The call list of the main window: the list control lvwCalls over the calls
// collection, the note box, the count panel of the status bar and the pop-up menu.
// Row n of the list is always position n of the collection.
class CallList : public QObject, private CallListingSink
{
    Q_OBJECT
public:
    CallList(AppContext &app, QTreeView *lvwCalls, QPlainTextEdit *txtCallNote,
             QLabel *countPanel, QObject *parent = nullptr);
    ~CallList() override;

    // The current collection (a new, empty one when there is none).
    colCalls &calls();
    CallListModel &model() const { return *m_model; }

    // Listing: the search reports to the sink and replaces the collection; answers the
    // count it listed.
    using Search = std::function<qsizetype(CallListingSink &sink, std::unique_ptr<colCalls> &calls)>;
    qsizetype FillListing(const Search &search);
    void AddCallsToGrid();
    // The record at this position (from 1) was inserted into / removed from the
    // collection, or changed there: the list follows.
    void AddSingleRow(qsizetype position);
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
    void EditCallNote(const QString &key);
    // Deletes the selected calls the user may delete, their files and rows. Before a
    // call's files go, ReleaseFile lets whoever holds its audio open let go of it.
    void DeleteSelectedCalls();
    std::function<void(const QString &audioPath)> ReleaseFile;

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
    void listingReplaced(colCalls &calls) override;
    void callsAppended(qsizetype first, qsizetype last) override;
    void busy(bool on) override;
    void EnablePopupEntries();
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
    bool m_waitCursor = false;
};
