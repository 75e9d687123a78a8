#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class clsCall;
class colCalls;

// What a recording session asks of the main window. frmMain implements it; tests of
// the session implement it with plain fields.
class RecordingView
{
public:
    virtual ~RecordingView() = default;

    // Panel 1: text + " - Automatic Recording" / " - Manual Recording".
    virtual void SetStatusText(const QString &text) = 0;
    // Red LED "Recording" or green LED "Ready", and the status text to match.
    virtual void ShowRecordingState(bool recording) = 0;
    // Play, pause, skip, stop, record, e-mail and save enabled by the settings and state.
    virtual void UpdateButtons() = 0;
    // Skip, play and pause := enabled; record := not automatic; stop := record's state.
    virtual void SetPlaybackControls(bool enabled) = 0;
    virtual bool IsMinimised() const = 0;
    // Window state normal, in front, shown.
    virtual void ShowAndRaise() = 0;
    // Back to the tray (or the task bar without one).
    virtual void Minimise() = 0;
    virtual void EnableStopButton(bool enabled) = 0;
    virtual void EnableQuitAndOptions() = 0;
    // Ends the playback of the call open in the player.
    virtual void StopPlayback() = 0;
    // The modal note prompt after a call; answers the note typed (empty: none).
    virtual QString AskCallNote() = 0;
    // The calls collection of the current listing; the list's row n is its position n.
    virtual colCalls &CallsCollection() = 0;
    // A filed call was put at position 1 of the collection: row 1 of the list shows it,
    // and follows it to where the mover files it (whereFiled: its path once filed,
    // nothing while it waits).
    virtual void AddFiledCall(const std::shared_ptr<clsCall> &call,
                              std::function<std::optional<QString>()> whereFiled) = 0;
    // Status panel 2, the elapsed recording time "hh:mm:ss".
    virtual void setElapsedPanel(const QString &text) = 0;
    // The input levels A (peak) and B (average), in dB.
    virtual void SetLevels(float levelA, float levelB) = 0;
    // Closes an open note prompt, keeping what was typed so far.
    virtual void CloseCallNotePrompt() = 0;
};
