#pragma once

#include <QString>

// What voice detection asks of the main window. frmMain implements it; tests of
// detection implement it with plain fields.
class DetectionView
{
public:
    virtual ~DetectionView() = default;

    // Panel 1: text + " - Automatic Recording" / " - Manual Recording".
    virtual void SetStatusText(const QString &text) = 0;
    // Play, pause, skip, stop, record, e-mail and save enabled by the settings and state.
    virtual void UpdateButtons() = 0;
    // Status panel 2, the elapsed recording time "hh:mm:ss".
    virtual void setElapsedPanel(const QString &text) = 0;
    // The input levels A (peak) and B (average), in dB.
    virtual void SetLevels(float levelA, float levelB) = 0;
    // Closes an open note prompt, keeping what was typed so far.
    virtual void CloseCallNotePrompt() = 0;
};
