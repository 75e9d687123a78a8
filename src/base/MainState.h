#pragma once

#include <QtGlobal>

// The main window's state flags that the recording, detection, playback and call list
// code share. Owned by the main window; everyone else holds a reference.
struct MainState
{
    bool IsRecording = false;        // capture into a file is in progress
    bool RecordActive = false;       // a recording is open (until filing ends)
    bool DetectionRunning = false;   // the recorder is armed for detection
    bool DetectionSuspended = false; // polling suspended while the options are open
    bool TriggerPending = false;     // level went above the threshold; trigger delay runs
    bool TriggerConfirmed = false;   // level stayed above it for the whole delay
    qint32 LatchCount = 0;           // seconds before an automatic recording stops
    bool PlaybackOpen = false;       // a call is open in the player
    bool NoteFormOpen = false;       // the note prompt after a call is open
};
