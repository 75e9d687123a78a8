#pragma once

// What the recording tests share: a window made of plain fields, a recording context on
// real temporary folders, and simulated time that fires the handlers of QTimers in order.

#include "base/MainState.h"
#include "callstore/colCalls.h"
#include "ContextRig.h"
#include "recording/DetectionView.h"
#include "recording/RecordingSession.h"
#include "recording/RecordingView.h"
#include "recording/VoiceDetection.h"

#include <QTemporaryDir>

class FakeMainView final : public RecordingView, public DetectionView
{
public:
    explicit FakeMainView(Prompts &prompts) : calls(std::make_unique<colCalls>(&prompts)) {}

    void SetStatusText(const QString &) override {}
    void ShowRecordingState(bool) override {}
    void UpdateButtons() override {}
    void SetPlaybackControls(bool) override {}
    void setElapsedPanel(const QString &) override {}
    void SetLevels(float a, float) override { levelA = a; }
    bool IsMinimised() const override { return false; }
    void ShowAndRaise() override {}
    void Minimise() override {}
    void EnableStopButton(bool) override {}
    void EnableQuitAndOptions() override {}
    void StopPlayback() override { ++playbackStops; }
    QString AskCallNote() override
    {
        if (duringNote)
            std::exchange(duringNote, nullptr)();
        return notes.isEmpty() ? QString() : notes.takeFirst();
    }
    void CloseCallNotePrompt() override { ++notePromptsClosed; }
    colCalls &CallsCollection() override { return *calls; }
    void AddFiledCall(const std::shared_ptr<clsCall> &) override {}

    int playbackStops = 0, notePromptsClosed = 0;
    float levelA = 0;
    QStringList notes;                // answered by the note prompts, in turn
    std::function<void()> duringNote; // runs while the next note prompt is "open"
    std::unique_ptr<colCalls> calls;
};

// The main window's recording parts over real temporary folders.
struct RecordingRig : ContextRig
{
    QTemporaryDir temp;
    MainState state;
    FakeMainView view{prompts};
    FakeRecorder recorder, player;
    RecordingSession session{app, state, view, recorder, player};
    VoiceDetection detection{app, state, view, recorder, session};

    RecordingRig()
    {
        app.TempFolder = temp.path() + QStringLiteral("/");
        app.settings.CallPath = calls.path();
        app.settings.AddNote = false;
    }

    QStringList tempFiles() const { return TestFiles::names(temp.path()); }
    QByteArray tempFile(const QString &name) const { return TestFiles::read(temp.filePath(name)); }
    QByteArray filedFile(const QString &name) const { return TestFiles::read(calls.filePath(name)); }
};

// Simulated time: each step fires the handler of the timer due next (ties in the order
// added), as the event loop would, and notices timers the handlers switch on or off.
class SimulatedTime
{
public:
    void add(QTimer &timer, std::function<void()> handler) { m_timers.push_back({&timer, std::move(handler), -1}); }
    qint64 now() const { return m_now; }

    // Runs for `ms`, or until `stop` answers true after a handler: the time it did, or -1.
    qint64 runFor(qint64 ms, const std::function<bool()> &stop = {})
    {
        for (const qint64 until = m_now + ms;;) {
            Timer *next = nullptr;
            for (Timer &t : m_timers) {
                t.due = !t.timer->isActive() ? -1 : t.due < 0 ? m_now + t.timer->interval() : t.due;
                if (t.due >= 0 && t.due <= until && (!next || t.due < next->due))
                    next = &t;
            }
            if (!next)
                return m_now = until, -1;
            m_now = next->due;
            next->due += next->timer->interval();
            next->handler();
            if (stop && stop())
                return m_now;
        }
    }

private:
    struct Timer { QTimer *timer; std::function<void()> handler; qint64 due; };
    std::vector<Timer> m_timers;
    qint64 m_now = 0;
};
