#include "callstore/ui/CallList.h"

#include "base/AppContext.h"
#include "base/Guarded.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"
#include "base/Twips.h"
#include "base/modErrors.h"
#include "callstore/CallFiles.h"
#include "callstore/CallListModel.h"
#include "callstore/FileJob.h"
#include "callstore/ui/dlgEditNote.h"
#include "desktop/WidgetParts.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QSet>
#include <QStyle>
#include <QThreadPool>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

using namespace Qt::StringLiterals;

// A note as the note box and the editor show it: "<CR>" and CR LF as line breaks.
static QString NoteLines(QString note)
{
    return note.replace(u"\r\n"_s, u"\n"_s).replace(u"<CR>"_s, u"\n"_s);
}

CallList::CallList(AppContext &app, QTreeView *lvwCalls, QPlainTextEdit *txtCallNote,
                   QLabel *countPanel, QObject *parent)
    : QObject(parent), m_app(app), m_view(lvwCalls), m_note(txtCallNote), m_count(countPanel),
      m_model(new CallListModel(this))
{
    m_view->setModel(m_model);
    m_view->setToolTip(tr("Call list : double-click to play or right-click for menu"));
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true); // 100,000 rows lay out without measuring each
    m_view->setItemsExpandable(false);
    m_view->setAcceptDrops(true);
    m_view->viewport()->setAcceptDrops(true);
    m_view->header()->setSectionResizeMode(QHeaderView::Interactive);
    // The Note column takes what the other four leave, inside the frame and scroll bar.
    m_view->header()->setStretchLastSection(true);
    // The count follows every row listed, filed or deleted, at once.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        GuardedConnect(app.prompts(), u"frmMain:SizeCallColumns Method"_s, m_model, signal, this, &CallList::ShowCount);
    GuardedConnect(app.prompts(), u"frmMain:SizeCallColumns Method"_s, m_model, &QAbstractItemModel::modelReset,
                   this, &CallList::ShowCount);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    tmrLiveList = WidgetParts::named(new QTimer(this), "tmrLiveList");
    tmrLiveList->setInterval(LiveInterval);
    GuardedConnect(app.prompts(), u"frmMain:tmrLiveList_Timer"_s, tmrLiveList, &QTimer::timeout, this,
                   &CallList::tmrLiveList_Timer);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded(app.prompts(), u"frmMain:UpdateNoteField Method"_s, [this] { UpdateNoteField(); }));

    mnuPopup = new QMenu(m_view);
    mnuPopup->setObjectName(u"mnuPopup"_s);
    auto entry = [this](const char *name, const QString &text) {
        return WidgetParts::addEntry(mnuPopup, name, text);
    };
    mnuPopupPlayCall = entry("mnuPopupPlayCall", tr("Play Call"));
    mnuPopupEditNote = entry("mnuPopupEditNote", tr("Edit Call Note"));
    mnuPopupDeleteCall = entry("mnuPopupDeleteCall", tr("Delete Call/s"));
    mnuPopupEmailCall = entry("mnuPopupEmailCall", tr("Email Call/s"));
    mnuPopupSaveCall = entry("mnuPopupSaveCall", tr("Save Call/s"));
    connect(mnuPopupPlayCall, &QAction::triggered, this, [this] { emit playCallRequested(SelectedKey()); });
    connect(mnuPopupEditNote, &QAction::triggered, this, [this] { emit editNoteRequested(SelectedKey()); });
    connect(mnuPopupDeleteCall, &QAction::triggered, this, &CallList::deleteRequested);
    connect(this, &CallList::editNoteRequested, this, &CallList::EditCallNote);
    connect(this, &CallList::deleteRequested, this, &CallList::DeleteSelectedCalls);
    connect(mnuPopupEmailCall, &QAction::triggered, this, &CallList::emailRequested);
    connect(mnuPopupSaveCall, &QAction::triggered, this, &CallList::saveRequested);
}

CallList::~CallList()
{
    m_model->setCalls(nullptr);
}

colCalls &CallList::calls()
{
    if (!m_calls) {
        m_calls = std::make_unique<colCalls>(&m_app.prompts());
        m_model->setCalls(m_calls.get());
    }
    return *m_calls;
}

// ---- Listing ----

namespace {

// The matches gathered on the job's thread and handed to the list a batch at a time:
// often enough that the first show at once, seldom enough that the window keeps up.
class Batches final : public CallListingSink
{
public:
    using Deliver = std::function<void(const std::vector<colCalls::Record> &)>;
    Batches(FileJob::Control &control, std::function<void()> replace, Deliver deliver, ListingWatch *watch)
        : m_control(control), m_replace(std::move(replace)), m_deliver(std::move(deliver)), m_watch(watch)
    {
        m_since.start();
    }
    bool cancelled() const override { return m_control.cancelled(); }
    void listingReplaced() override { m_control.post(m_replace); }
    void folderRead(const QString &folder, const QStringList &files, const timespec &modified) override
    {
        if (m_watch)
            m_watch->seed(folder, files, modified);
    }
    void callFound(colCalls::Record call) override
    {
        m_batch.push_back(std::move(call));
        ++m_found;
        if (m_batch.size() >= 500 || m_since.elapsed() >= 50)
            flush();
    }
    void folderDone() override { flush(); }
    void flush()
    {
        m_control.progress(CallList::tr("Listing calls: %1 found").arg(m_found));
        if (m_batch.empty())
            return;
        m_control.post([deliver = m_deliver, batch = std::move(m_batch)] { deliver(batch); });
        m_batch.clear();
        m_since.restart();
    }

private:
    FileJob::Control &m_control;
    std::function<void()> m_replace;
    Deliver m_deliver;
    ListingWatch *m_watch;
    std::vector<colCalls::Record> m_batch;
    qsizetype m_found = 0;
    QElapsedTimer m_since;
};

} // namespace

void CallList::StartListing(Search search, std::function<void(qsizetype)> done, std::shared_ptr<ListingWatch> watch)
{
    // The list follows no folder until this listing has filled it.
    m_watch.reset();
    tmrLiveList->stop();
    // Cancelled, the running one goes once its thread has noticed; its batches are not listed.
    if (m_listing)
        m_listing->cancel();
    const quint64 number = ++m_listingNumber;
    auto current = [this, number] { return number == m_listingNumber; };
    auto replace = [this, current] {
        if (current())
            listingReplaced();
    };
    auto deliver = [this, current](const std::vector<colCalls::Record> &batch) {
        if (current())
            callsFound(batch);
    };
    m_listing = new FileJob(m_app.prompts(), u"frmMain:FindCalls"_s,
                            [search = std::move(search), replace, deliver, watch](FileJob::Control &control) {
                                Batches batches(control, replace, deliver, watch.get());
                                search(batches, control);
                                batches.flush();
                            },
                            this);
    m_listing->giveUpAfter(FileJob::StallLimit);
    GuardedConnect(m_app.prompts(), u"frmMain:FindCalls"_s, m_listing, &FileJob::finished, this,
                   [this, current, job = m_listing, done = std::move(done), watch] {
                       job->deleteLater();
                       if (!current())
                           return;
                       m_listing = nullptr;
                       if (watch && !job->gaveUp()) {
                           m_watch = watch;
                           tmrLiveList->start();
                       }
                       const qsizetype listed = m_model->rowCount();
                       if (listed == 0)
                           m_note->clear();
                       SizeCallColumns();
                       if (done)
                           done(listed);
                   });
    emit jobStarted(m_listing);
}

void CallList::listingReplaced()
{
    auto fresh = std::make_unique<colCalls>(&m_app.prompts());
    m_model->setCalls(fresh.get());
    m_note->clear();
    // A big listing takes a while to free: not on the window's thread.
    auto old = std::make_shared<std::unique_ptr<colCalls>>(std::move(m_calls));
    m_calls = std::move(fresh);
    if (*old && (*old)->Count() > 1000)
        QThreadPool::globalInstance()->start([old] { EmptyCollection(*old); });
    else
        EmptyCollection(*old);
}

void CallList::callsFound(const std::vector<colCalls::Record> &batch)
{
    colCalls &listed = calls();
    for (const colCalls::Record &call : batch)
        listed.Append(call);
    m_model->appendRows();
    // As a fresh list control does, the first row becomes the selected row.
    if (!m_view->selectionModel()->currentIndex().isValid() && m_model->rowCount() > 0) {
        m_view->selectionModel()->setCurrentIndex(
            m_model->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        UpdateNoteField();
    }
}

void CallList::tmrLiveList_Timer()
{
    std::erase_if(m_filing, [](const FiledRow &row) { return row.call.expired(); });
    if (!m_watch && m_filing.empty())
        return tmrLiveList->stop();
    if (m_listing || m_looking)
        return;
    // Silent: a folder that does not answer holds this look, and no other starts meanwhile.
    m_looking = true;
    if (m_watch)
        m_watch->setShown(shownCalls());
    auto *job = new FileJob(m_app.prompts(), u"frmMain:tmrLiveList_Timer"_s,
                            [this, watch = m_watch, filing = m_filing](FileJob::Control &control) {
                                std::optional<ListingWatch::Changes> changes = watch ? watch->look(control) : std::nullopt;
                                // After the look: a call it saw filed is known filed here too.
                                Filed filed;
                                for (const FiledRow &row : filing)
                                    if (const auto where = row.where())
                                        filed.emplace_back(row.call, *where);
                                if (!changes && filed.empty())
                                    return;
                                control.post([this, watch, changes = std::move(changes), filed = std::move(filed)] {
                                    if (watch != m_watch || m_listing)
                                        return;
                                    followFiled(filed);
                                    if (changes)
                                        applyChanges(*changes);
                                });
                            },
                            this);
    GuardedConnect(m_app.prompts(), u"frmMain:tmrLiveList_Timer"_s, job, &FileJob::finished, this, [this, job] {
        job->deleteLater();
        m_looking = false;
    });
}

QStringList CallList::shownCalls() const
{
    QStringList shown;
    const int rows = m_model->rowCount();
    if (!rows || !m_calls)
        return shown;
    // Hidden, the view has no rows in it: the first ones stand for them.
    const QModelIndex top = m_view->indexAt(QPoint(0, 0)),
                      bottom = m_view->indexAt(QPoint(0, m_view->viewport()->height() - 1));
    const int first = top.isValid() ? top.row() : 0, last = bottom.isValid() ? bottom.row() : rows - 1;
    for (int row = first; row <= last && row - first < MaxShown; ++row)
        shown << GetCallLocation(row + 1);
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    if (current.isValid() && (current.row() < first || current.row() > last))
        shown << GetCallLocation(current.row() + 1);
    return shown;
}

// A call filed here is listed under the calls folder's path as set, often "folder//name".
static QString samePath(const QString &path)
{
    return path.contains(u"//"_s) ? QDir::cleanPath(path) : path;
}

void CallList::AddFiledRow(const colCalls::Record &call, WhereFiled whereFiled)
{
    AddSingleRow(1);
    m_filing.push_back({call, std::move(whereFiled)});
    if (!tmrLiveList->isActive())
        tmrLiveList->start();
}

void CallList::followFiled(const Filed &filed)
{
    colCalls &listed = calls();
    for (const auto &[weak, path] : filed) {
        std::erase_if(m_filing, [&weak](const FiledRow &row) {
            return !row.call.owner_before(weak) && !weak.owner_before(row.call);
        });
        const colCalls::Record call = weak.lock();
        const qsizetype at = call ? listed.PositionOf(call.get()) : 0;
        if (!at)
            continue;
        // Listed from the folder meanwhile, by the look that saw it arrive: one row is enough.
        const bool twice = std::any_of(listed.begin(), listed.end(), [&](const colCalls::Record &other) {
            return other != call && samePath(other->RecordingLocation()) == samePath(path);
        });
        if (twice) {
            RemoveRow(at);
            listed.Remove(at);
            continue;
        }
        call->setRecordingLocation(path);
        RowChanged(at);
    }
}

void CallList::applyChanges(const ListingWatch::Changes &changes)
{
    colCalls &listed = calls();
    // A row of a call the mover has not filed yet is no proof of a file of its name: that
    // may be another PC's call, which takes the name first.
    QSet<const clsCall *> filing;
    for (const FiledRow &row : m_filing)
        filing.insert(row.call.lock().get());
    QHash<QString, clsCall *> byPath;
    for (const colCalls::Record &call : listed)
        if (!filing.contains(call.get()))
            byPath.insert(samePath(call->RecordingLocation()), call.get());
    for (const QString &path : changes.removed) {
        const auto it = byPath.constFind(samePath(path));
        if (it == byPath.constEnd())
            continue;
        if (const qsizetype i = listed.PositionOf(*it)) {
            RemoveRow(i);
            listed.Remove(i);
        }
        byPath.erase(it);
        if (GoneElsewhere)
            GoneElsewhere(path);
    }
    for (const auto &[path, note] : changes.notes)
        if (const auto it = byPath.constFind(samePath(path)); it != byPath.constEnd() && (*it)->CallNote() != note)
            ShowCallNote((*it)->RecordingLocation(), note);
    for (const colCalls::Record &call : changes.added) {
        const QString path = call->RecordingLocation();
        if (byPath.contains(samePath(path))) // filed here, and listed so already
            continue;
        // Rows stand newest first, by name: the new one goes before the first older one.
        qsizetype at = 1;
        while (at <= listed.Count() && listed.Item(at)->RecordingLocation() > path)
            ++at;
        listed.Insert(call, at);
        AddSingleRow(at);
        byPath.insert(samePath(path), call.get());
    }
    if (!m_view->selectionModel()->currentIndex().isValid() && m_model->rowCount() > 0) {
        m_view->selectionModel()->setCurrentIndex(
            m_model->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        UpdateNoteField();
    }
    SizeCallColumns();
}

void CallList::AddCallsToGrid()
{
    m_model->setCalls(m_calls.get());
}

void CallList::AddSingleRow(qsizetype position)
{
    m_model->callInserted(position);
}

void CallList::RemoveRow(qsizetype position)
{
    m_model->callRemoved(position);
}

void CallList::RowChanged(qsizetype position)
{
    m_model->callChanged(position);
}

void CallList::ClearListing()
{
    m_watch.reset();
    tmrLiveList->stop();
    m_model->setCalls(nullptr);
    EmptyCollection(m_calls);
    m_note->clear();
    SizeCallColumns();
}

// ---- Columns, note box and count ----

double CallList::widthRatio() const
{
    return m_referenceWidth > 0 ? double(m_view->width()) / m_referenceWidth : 1.0;
}

void CallList::SetUpCallColumns()
{
    if (m_view->isVisible())
        m_referenceWidth = m_view->width();
    // "GRD_NOTE" is read as the others are; the Note column takes the rest.
    m_app.store.GetLongSetting(QLatin1StringView(ProgramSettings::ColumnWidthNames[4]),
                               ProgramSettings::DefaultColumnWidths[4]);
    SizeCallColumns();
}

void CallList::SizeCallColumns()
{
    const double r = widthRatio();
    // Never narrower than a date, a time or the header needs in the desktop's font.
    const QFontMetrics fm(m_view->font());
    const int margin = 2 * m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 8;
    const int widest[CallListModel::Note] = {
        0, fm.horizontalAdvance(QLocale().toString(QDate(2000, 9, 28), u"dd-MMM-yyyy"_s)),
        fm.horizontalAdvance(u"00:00:00"_s), fm.horizontalAdvance(u"00:00:00"_s)};
    for (int i = 0; i < CallListModel::Note; ++i) {
        const qint16 twips = qint16(m_app.store.GetLongSetting(
            QLatin1StringView(ProgramSettings::ColumnWidthNames[i]),
            ProgramSettings::DefaultColumnWidths[i]));
        const int least = std::max(widest[i] + margin, m_view->header()->sectionSizeHint(i));
        m_view->header()->resizeSection(i, std::max(Twips::toPixels(int(twips * r), m_view->logicalDpiX()), least));
    }
    ShowCount();
}

void CallList::ShowCount()
{
    m_count->setText(tr("%1 call/s").arg(m_model->rowCount()));
}

void CallList::SaveColumnWidths()
{
    for (int i = 0; i < CallListModel::ColumnCount; ++i)
        m_app.store.SaveLongSetting(QLatin1StringView(ProgramSettings::ColumnWidthNames[i]),
                                    Twips::fromPixels(m_view->header()->sectionSize(i), m_view->logicalDpiX()));
}

void CallList::UpdateNoteField()
{
    m_note->clear();
    try {
        const QString key = SelectedKey();
        if (!HasCalls() || !key.contains(u'#'))
            return;
        QString note = GetCallByKey(key)->CallNote();
        if (note.isEmpty())
            note = tr("(No Note)");
        m_note->setPlainText(NoteLines(note));
    } catch (const std::exception &e) {
        m_note->clear();
        m_app.prompts().msgBox(tr("Error: %1 - %2 occured in frmMain:UpdateNoteField Method")
                                   .arg(RuntimeError::numberOf(e)).arg(RuntimeError::descriptionOf(e)),
                               Prompts::OkOnly, Prompts::NoIcon, QString());
    }
}

// ---- Editing and deleting ----

QString CallList::NoteConflictQuestion()
{
    return tr("Someone changed this note on another PC after you opened it.\r\n\r\n"
              "Yes: keep mine (theirs is replaced)\r\nNo: keep theirs (mine is dropped)\r\n"
              "Cancel: show both, to merge them");
}

QString CallList::BothNotes(const QString &mine, const QString &theirs)
{
    return tr("--- Mine ---\n%1\n--- Theirs (another PC) ---\n%2").arg(mine, theirs);
}

// The note file as the editor saw it: a save compares, so that a change made on another
// PC meanwhile is never overwritten unasked.
static CallFiles::NoteFile readNoteOf(const QString &audio)
{
    CallFiles::NoteFile note = CallFiles::ReadCallNote(audio);
    if (note.status == CallFiles::NoteFile::Denied || note.status == CallFiles::NoteFile::Failed)
        throw RuntimeError(note.errorNumber, note.errorText);
    return note;
}

static bool sameNote(const CallFiles::NoteFile &a, const CallFiles::NoteFile &b)
{
    return a.status == b.status && a.bytes == b.bytes;
}

static QString noteText(const CallFiles::NoteFile &file)
{
    return NoteLines(CallFiles::NoteForList(CallFiles::DecodeNote(file.bytes)));
}

// One edit of a note: the file as the editor saw it, the text it started from and shows.
struct CallList::NoteEdit
{
    QString audio;
    CallFiles::NoteFile opened, now;
    QString base, shown, typed;
    bool written = false;
    int errorNumber = 0;
    QString errorText;
    // Throws, with the reason, when the note cannot be written.
    void write()
    {
        QString error;
        if (!CallFiles::WriteEditedNote(audio, typed, &error))
            throw RuntimeError(75, error);
        written = true;
    }
    void fail(const std::exception &e)
    {
        errorNumber = RuntimeError::numberOf(e);
        errorText = RuntimeError::descriptionOf(e);
    }
};

void CallList::EditCallNote(const QString &key)
{
    if (key.isEmpty() || m_editingNote) // no row selected, or its note is being edited
        return;
    auto edit = std::make_shared<NoteEdit>();
    QString listed;
    try {
        const colCalls::Record call = GetCallByKey(key);
        // Only the start of a huge note was read: written back, the rest would be lost.
        if (call->NoteTruncated()) {
            m_app.prompts().message(tr("This note is too long to edit here (over 64 KB); it has been left unchanged."),
                                    Prompts::Exclamation, ProductName());
            return;
        }
        edit->audio = call->RecordingLocation();
        listed = NoteLines(call->CallNote());
    } catch (const std::exception &e) {
        edit->fail(e);
        noteEditEnded(*edit);
        return;
    }
    // The note as the file holds it now, which another PC may have changed since the listing.
    onNoteFile(edit, [](NoteEdit &e) { e.opened = readNoteOf(e.audio); }, [this, edit, listed] {
        edit->base = edit->opened.status == CallFiles::NoteFile::Read ? noteText(edit->opened) : listed;
        edit->shown = edit->base;
        askNote(edit);
    });
}

void CallList::askNote(const std::shared_ptr<NoteEdit> &edit)
{
    dlgEditNote dialog(edit->shown, m_view->window());
    dialog.exec();
    if (!dialog.Accepted || dialog.Note == edit->base)
        return noteEditEnded(*edit);
    edit->typed = QString(dialog.Note).replace(u'\n', u"\r\n"_s);
    // Written only if the file is still as the editor saw it.
    onNoteFile(edit, [](NoteEdit &e) {
        e.now = readNoteOf(e.audio);
        if (sameNote(e.opened, e.now))
            e.write();
    }, [this, edit] {
        if (edit->written)
            return noteEditEnded(*edit);
        const QString theirs = noteText(edit->now);
        const Prompts::Answer answer = m_app.prompts().msgBox(NoteConflictQuestion(), Prompts::YesNoCancel,
                                                              Prompts::Question, ProductName());
        if (answer == Prompts::Yes) {
            onNoteFile(edit, [](NoteEdit &e) { e.write(); },
                       [this, edit] { noteEditEnded(*edit); });
            return;
        }
        if (answer == Prompts::No) {
            ShowCallNote(edit->audio, QString(theirs).replace(u'\n', u"\r\n"_s));
            return noteEditEnded(*edit);
        }
        edit->opened = edit->now;
        edit->base = theirs;
        edit->shown = BothNotes(QString(edit->typed).replace(u"\r\n"_s, u"\n"_s), theirs);
        askNote(edit);
    });
}

void CallList::onNoteFile(const std::shared_ptr<NoteEdit> &edit, std::function<void(NoteEdit &)> work,
                          std::function<void()> then)
{
    m_editingNote = true;
    const QString context = u"frmMain:EditCallNote Method"_s;
    auto *job = new FileJob(m_app.prompts(), context, [edit, work = std::move(work)](FileJob::Control &) {
        try {
            work(*edit);
        } catch (const std::exception &e) {
            edit->fail(e);
        }
    }, this);
    job->giveUpAfter(FileJob::StallLimit);
    GuardedConnect(m_app.prompts(), context, job, &FileJob::finished, this, [this, job, edit, then = std::move(then)] {
        job->deleteLater();
        if (job->gaveUp()) // the job has told why
            m_editingNote = false;
        else if (edit->errorNumber)
            noteEditEnded(*edit);
        else
            then();
    });
    emit jobStarted(job);
}

void CallList::noteEditEnded(const NoteEdit &edit)
{
    m_editingNote = false;
    if (edit.errorNumber)
        m_app.prompts().msgBox(tr("Error: %1 - %2").arg(edit.errorNumber).arg(edit.errorText),
                               Prompts::OkOnly, Prompts::NoIcon, QString());
    else if (edit.written)
        ShowCallNote(edit.audio, edit.typed);
}

void CallList::ShowCallNote(const QString &audio, const QString &note)
{
    for (qsizetype i = 1; i <= m_calls->Count(); ++i) {
        const colCalls::Record call = m_calls->Item(i);
        if (call->RecordingLocation() != audio)
            continue;
        call->setCallNote(note);
        RowChanged(i);
        if (const QString selected = SelectedKey(); !selected.isEmpty() && GetCallByKey(selected) == call)
            m_note->setPlainText(NoteLines(note));
    }
}

void CallList::DeleteSelectedCalls()
{
    const ProgramSettings &set = m_app.settings;
    if (!set.CanDelete)
        return;
    // Last to first, as the rows stand now; the files go in a job, each row once its
    // files are gone.
    std::vector<colCalls::Record> doomed;
    for (qsizetype i = m_model->rowCount(); i >= 1; --i)
        if (IsRowSelected(i) && !(set.DeleteOwnOnly && GetCallUser(i) != m_app.CurrentUserName))
            doomed.push_back(m_calls->Item(i));
    if (doomed.empty())
        return;
    m_note->clear();
    for (const colCalls::Record &call : doomed)
        if (ReleaseFile)
            ReleaseFile(call->RecordingLocation());
    auto removeRows = [this](const std::vector<colCalls::Record> &gone) {
        for (const colCalls::Record &call : gone) {
            if (const qsizetype i = m_calls ? m_calls->PositionOf(call.get()) : 0) {
                RemoveRow(i); // first: the view asks for the rows while it lets one go
                m_calls->Remove(i);
            }
        }
    };
    auto failed = std::make_shared<bool>(false);
    auto *job = new FileJob(m_app.prompts(), u"frmMain:DeleteSelectedCalls Method"_s,
                            [doomed = std::move(doomed), removeRows, failed](FileJob::Control &control) {
        std::vector<colCalls::Record> gone;
        QElapsedTimer since;
        since.start();
        auto hand = [&] {
            control.post([removeRows, gone] { removeRows(gone); });
            gone.clear();
            since.restart();
        };
        const auto last = qScopeGuard([&] { hand(); });
        for (size_t i = 0; i < doomed.size() && !control.cancelled(); ++i) {
            control.progress(tr("Deleting call %1 of %2").arg(i + 1).arg(doomed.size()));
            try {
                CallFiles::DeleteCallFiles(doomed[i]->RecordingLocation());
            } catch (const std::exception &e) {
                // The rows before stay deleted; this one and those after stay listed.
                *failed = true;
                hand();
                modErrors::ReportError(control, RuntimeError::numberOf(e), RuntimeError::descriptionOf(e), 999,
                                       u"frmMain:DeleteSelectedCalls Method"_s, QString());
                return;
            }
            gone.push_back(doomed[i]);
            if (gone.size() >= 200 || since.elapsed() >= 50)
                hand();
        }
    }, this);
    GuardedConnect(m_app.prompts(), u"frmMain:DeleteSelectedCalls Method"_s, job, &FileJob::finished, this,
                   [this, job, failed] {
                       job->deleteLater();
                       if (!*failed)
                           SizeCallColumns();
                   });
    emit jobStarted(job);
}

// ---- Rows and records ----

bool CallList::HasCalls() const
{
    return m_model->rowCount() > 0;
}

colCalls::Record CallList::GetCallByKey(const QString &key) const
{
    if (!m_calls)
        throw RuntimeError(5, QCoreApplication::translate("RuntimeError", "Invalid procedure call or argument"));
    return m_calls->Item(key);
}

QString CallList::GetCallLocation(qsizetype position) const
{
    return m_calls ? m_calls->Item(position)->RecordingLocation() : QString();
}

QString CallList::GetCallUser(qsizetype position) const
{
    return m_calls ? m_calls->Item(position)->LoginName() : QString();
}

QString CallList::SelectedKey() const
{
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    return current.isValid() ? current.siblingAtColumn(0).data(CallListModel::KeyRole).toString()
                             : QString();
}

bool CallList::IsRowSelected(qsizetype position) const
{
    return m_view->selectionModel()->isRowSelected(int(position - 1), QModelIndex());
}

CallList::Selection CallList::CanDeleteSelection() const
{
    Selection s;
    QSet<QString> users;
    for (const QModelIndex &row : m_view->selectionModel()->selectedRows(CallListModel::User)) {
        ++s.count;
        users.insert(row.data().toString());
    }
    const ProgramSettings &set = m_app.settings;
    if (!set.CanDelete)
        s.permitted = false;
    else if (!set.DeleteOwnOnly)
        s.permitted = true;
    else
        s.permitted = std::all_of(users.begin(), users.end(),
                                  [this](const QString &u) { return u == m_app.CurrentUserName; });
    return s;
}

// ---- Events ----

int CallList::rowAt(const QPoint &pos) const
{
    const QModelIndex index = m_view->indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

void CallList::EnablePopupEntries()
{
    const bool canPlay = m_app.settings.CanPlay;
    const Selection s = CanDeleteSelection();
    mnuPopupPlayCall->setEnabled(s.count == 1 && canPlay);
    mnuPopupEditNote->setEnabled(s.count == 1 && canPlay);
    mnuPopupDeleteCall->setEnabled(s.permitted);
    mnuPopupEmailCall->setEnabled(canPlay);
    mnuPopupSaveCall->setEnabled(canPlay);
}

void CallList::lvwCalls_MouseDown(Qt::MouseButton button, const QPoint &pos)
{
    m_lastButton = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 0;
    const int row = rowAt(pos);
    if (!HasCalls() || button != Qt::RightButton || row < 0)
        return;
    QItemSelectionModel *sel = m_view->selectionModel();
    if (sel->currentIndex().row() != row) {
        if (sel->currentIndex().isValid())
            sel->select(sel->currentIndex(), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        sel->setCurrentIndex(m_model->index(row, 0),
                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    EnablePopupEntries();
    mnuPopup->popup(m_view->viewport()->mapToGlobal(pos));
}

void CallList::lvwCalls_DblClick()
{
    if (HasCalls() && m_lastButton == 1)
        PlayIfPermitted();
}

void CallList::PlayIfPermitted()
{
    if (m_app.settings.CanPlay)
        emit playCallRequested(SelectedKey());
    else
        m_app.prompts().message(tr("You are not permitted to play back calls"), Prompts::Information,
                                ProductName());
}

void CallList::lvwCalls_KeyUp(int key)
{
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        UpdateNoteField();
        return;
    }
    if (key == Qt::Key_Delete && CanDeleteSelection().permitted)
        emit deleteRequested();
}

void CallList::lvwCalls_KeyPress(int key)
{
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && HasCalls())
        PlayIfPermitted();
}

void CallList::lvwCalls_OLEDragDrop(const QStringList &files)
{
    if (files.size() >= 2) {
        m_app.prompts().message(tr("Please drag a single file at a time"), Prompts::Information,
                                tr("Drag / Drop"));
        return;
    }
    if (files.size() == 1
        && (files[0].endsWith(u"WAV"_s, Qt::CaseInsensitive)
            || files[0].endsWith(u"MP3"_s, Qt::CaseInsensitive)))
        emit playFileRequested(files[0]);
}

bool CallList::eventFilter(QObject *watched, QEvent *event)
{
    bool handled = false;
    RunGuarded(m_app.prompts(), u"frmMain:lvwCalls"_s, [&] { handled = filterEvent(watched, event); });
    return handled;
}

bool CallList::filterEvent(QObject *watched, QEvent *event)
{
    if (watched == m_view) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                lvwCalls_KeyPress(key->key());
                return true;
            }
            break;
        }
        case QEvent::KeyRelease: {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat())
                lvwCalls_KeyUp(key->key());
            break;
        }
        case QEvent::Resize:
            // The reference width is the list's width when it is first laid out.
            if (m_referenceWidth == 0 && m_view->isVisible()) {
                m_referenceWidth = static_cast<QResizeEvent *>(event)->size().width();
                SizeCallColumns();
            }
            break;
        default:
            break;
        }
        return false;
    }
    if (watched != m_view->viewport())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        lvwCalls_MouseDown(mouse->button(), mouse->position().toPoint());
        // The right button selects as the list's own rule says, not as the view would.
        return mouse->button() == Qt::RightButton;
    }
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_lastButton = mouse->button() == Qt::LeftButton ? 1 : 2;
        lvwCalls_DblClick();
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (drag->mimeData()->hasUrls())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        QStringList files;
        for (const QUrl &url : drop->mimeData()->urls())
            files << (url.isLocalFile() ? url.toLocalFile() : url.toString());
        drop->acceptProposedAction();
        lvwCalls_OLEDragDrop(files);
        return true;
    }
    default:
        return false;
    }
}
