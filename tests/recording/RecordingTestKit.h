#pragma once

// What the recording tests share: a window made of plain fields, a recording context on
// real temporary folders, and simulated time that fires the handlers of QTimers in order.

#include "FakeRecorder.h"
#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestDoubles.h"
#include "base/AppContext.h"
#include "base/MainState.h"
#include "recording/DetectionView.h"
#include "recording/RecordingView.h"
#include "callstore/clsCall.h"
#include "callstore/colCalls.h"
#include "recording/RecordingSession.h"
#include "recording/VoiceDetection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

class FakeMainView final : public RecordingView, public DetectionView
{
public:
    explicit FakeMainView(Prompts &prompts) : calls(std::make_unique<colCalls>(&prompts)) {}

    void SetStatusText(const QString &text) override { statusText = text; }
    void ShowRecordingState(bool recording) override { led = recording; }
    void UpdateButtons() override { ++buttonUpdates; }
    void SetPlaybackControls(bool enabled) override { playbackControls = enabled; }
    void setElapsedPanel(const QString &text) override { elapsed = text; }
    void SetLevels(const QString &a, const QString &b) override { levelA = a; levelB = b; }
    bool IsMinimised() const override { return minimised; }
    void ShowAndRaise() override { minimised = false; ++raised; }
    void Minimise() override { minimised = true; ++minimisedAgain; }
    void EnableStopButton(bool enabled) override { stopEnabled = enabled; }
    void EnableQuitAndOptions() override { quitAndOptionsEnabled = true; }
    void StopPlayback() override { ++playbackStops; }
    QString AskCallNote() override
    {
        ++notesAsked;
        noteOpen = true;
        if (duringNote)
            duringNote();
        noteOpen = false;
        return notes.isEmpty() ? QString() : notes.takeFirst();
    }
    void CloseCallNotePrompt() override { notePromptsClosed += noteOpen ? 1 : 0; }
    colCalls &CallsCollection() override { return *calls; }
    void AddFiledCall(const std::shared_ptr<clsCall> &call) override { rows.prepend(call); }

    QString statusText, elapsed = QStringLiteral("00:00:00"), levelA, levelB;
    bool led = false, playbackControls = true, minimised = false, stopEnabled = true;
    bool quitAndOptionsEnabled = false, noteOpen = false;
    int buttonUpdates = 0, raised = 0, minimisedAgain = 0, playbackStops = 0, notesAsked = 0,
        notePromptsClosed = 0;
    QStringList notes;                // answered by the note prompts, in turn
    std::function<void()> duringNote; // runs while a note prompt is "open"
    std::unique_ptr<colCalls> calls;
    QList<std::shared_ptr<clsCall>> rows;
};

// Scripted prompts that can run something while a box waits, as the timers do.
struct HookedPrompts final : Prompts
{
    explicit HookedPrompts(ScriptedPrompts &s) : script(s) {}
    Answer msgBox(const QString &text, Buttons buttons, Icon icon, const QString &caption) override
    {
        const Answer answer = script.msgBox(text, buttons, icon, caption);
        if (duringBox)
            duringBox();
        return answer;
    }
    ScriptedPrompts &script;
    std::function<void()> duringBox;
};

// The main window's recording parts over real temporary folders.
struct RecordingRig
{
    TempSettingsRoots roots;
    QTemporaryDir temp, callPath;
    ScriptedPrompts prompts;
    HookedPrompts hookedPrompts{prompts};
    FixedClock clock;
    FixedUserName userName;
    AppContext ctx{Services{hookedPrompts, clock, userName, [] { return std::make_unique<FakeRecorder>(); }}};
    MainState state;
    FakeMainView view{prompts};
    FakeRecorder recorder, player;
    RecordingSession session{ctx, state, view, recorder, player};
    VoiceDetection detection{ctx, state, view, recorder, session};
    int moverLaunches = 0;
    std::optional<QString> moverFailure;

    RecordingRig()
    {
        ctx.TempFolder = temp.path() + QStringLiteral("/");
        ctx.settings.CallPath = callPath.path();
        ctx.CurrentUserName = QStringLiteral("ann");
        ctx.settings.AddNote = false;
        session.setMoverLauncher([this] {
            ++moverLaunches;
            return moverFailure;
        });
    }

    QStringList tempFiles() const { return QDir(temp.path()).entryList(QDir::Files, QDir::Name); }
    QStringList callFiles() const { return QDir(callPath.path()).entryList(QDir::Files, QDir::Name); }
    static bool write(const QString &path, const QByteArray &content)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

// Simulated time: each step fires the handler of the timer due next, as the event loop
// would, and notices timers switched on or off by the handlers. Ties go in list order.
class SimulatedTime
{
public:
    void add(QTimer &timer, std::function<void()> handler) { m_entries.push_back({&timer, std::move(handler), -1}); }

    qint64 now() const { return m_now; }

    // Runs until `until` ms, or until `stop` answers true after a handler; answers the
    // time when it did, or -1.
    qint64 runUntil(qint64 until, const std::function<bool()> &stop = {})
    {
        sync();
        for (;;) {
            Entry *next = nullptr;
            for (Entry &e : m_entries)
                if (e.due >= 0 && e.due <= until && (!next || e.due < next->due))
                    next = &e;
            if (!next)
                break;
            m_now = next->due;
            next->due += next->timer->interval();
            next->handler();
            sync();
            if (stop && stop())
                return m_now;
        }
        m_now = until;
        return -1;
    }
    qint64 runFor(qint64 ms, const std::function<bool()> &stop = {}) { return runUntil(m_now + ms, stop); }

private:
    struct Entry
    {
        QTimer *timer;
        std::function<void()> handler;
        qint64 due;
    };
    void sync()
    {
        for (Entry &e : m_entries) {
            if (!e.timer->isActive())
                e.due = -1;
            else if (e.due < 0)
                e.due = m_now + e.timer->interval();
        }
    }
    std::vector<Entry> m_entries;
    qint64 m_now = 0;
};
