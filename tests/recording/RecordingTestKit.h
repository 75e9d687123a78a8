#pragma once

// What the recording tests share: a window made of plain fields, a recording context on
// real temporary folders, and a line that captures buffers of a set level.

#include "base/MainState.h"
#include "callstore/colCalls.h"
#include "ContextRig.h"
#include "recording/RecordingSession.h"
#include "recording/RecordingView.h"

#include <QCoreApplication>
#include <QTemporaryDir>

class FakeMainView final : public RecordingView
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
    void AddFiledCall(const std::shared_ptr<clsCall> &, std::function<std::optional<QString>()>) override {}

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
    // On this thread (the fakes): the line's clock below is the recorder's.
    RecordingSession session{app, state, view, recorder, player, nullptr, RecordingSession::Threading::Window};

    RecordingRig()
    {
        app.TempFolder = temp.path() + QStringLiteral("/");
        app.settings.CallPath = calls.path();
        app.settings.AddNote = false;
    }

    // What was sent to the recorder is done, and what it said is shown.
    static void settle() { QCoreApplication::sendPostedEvents(); }
    QStringList tempFiles() const { return TestFiles::names(temp.path()); }
    QByteArray tempFile(const QString &name) const { return TestFiles::read(temp.filePath(name)); }
    QByteArray filedFile(const QString &name) const { return TestFiles::read(calls.filePath(name)); }
};

// The line: 200 ms buffers at 8 kHz, and the window's clock checking the recorder each second.
struct LineRig : RecordingRig
{
    qint64 now = 0; // ms of audio captured

    // Level A for `ms`, or until recording is `until`: the time it was, or -1.
    qint64 level(float a, qint64 ms, std::optional<bool> until = {})
    {
        for (const qint64 end = now + ms; now < end;) {
            settle();
            recorder.feed(a);
            now += 200;
            if (now % 1000 == 0)
                session.CheckInput();
            settle();
            if (until == state.IsRecording)
                return now;
        }
        return -1;
    }
};
