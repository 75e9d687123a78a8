#pragma once

#include <QString>
#include <memory>

class clsCall;
class colCalls;

// What the logic behind the main window asks of the window itself. frmMain implements
// it; tests of the logic may implement it with plain fields.
class MainView
{
public:
    virtual ~MainView() = default;

    // Panel 1: text + " - Automatic Recording" / " - Manual Recording".
    virtual void SetStatusText(const QString &text) = 0;
    // Red LED "Recording" or green LED "Ready", and the status text to match.
    virtual void ShowRecordingState(bool recording) = 0;
    // Play, pause, skip, stop, record, e-mail and save enabled by the settings and state.
    virtual void UpdateButtons() = 0;
    // Skip, play and pause := enabled; record := not automatic; stop := record's state.
    virtual void SetPlaybackControls(bool enabled) = 0;
    // Status panel 2, the elapsed recording time "hh:mm:ss".
    virtual void setElapsedPanel(const QString &text) = 0;
    virtual QString elapsedPanel() const = 0;

    // --- recording ---
    // The input levels lblVol1 (A) and lblVol2 (B), as decimal text.
    virtual void SetLevels(const QString &levelA, const QString &levelB) = 0;
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
    // Closes an open note prompt, keeping what was typed so far.
    virtual void CloseCallNotePrompt() = 0;
    // The calls collection of the current listing; the list's row n is its position n.
    virtual colCalls &CallsCollection() = 0;
    // A filed call was put at position 1 of the collection: row 1 of the list shows it.
    virtual void AddFiledCall(const std::shared_ptr<clsCall> &call) = 0;
};
