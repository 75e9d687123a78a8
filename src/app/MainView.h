#pragma once

#include <QString>

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
};
