#pragma once

#include <QtGlobal>

// The recorder component's result codes (texts: modErrors::RecorderErrorText).
namespace RecorderCode {
enum : qint16 {
    Ok = 0,
    NoDevice = 1,           // no input device, or the format cannot be opened
    CantOpenFile = 2,       // the record file cannot be created, the play file cannot be read
    CantWrite = 3,          // a write failed (disk full); the file holds what came before
    NotWave = 4,            // Open of a file that is not audio of the expected type
    UnsupportedFormat = 5,  // RecordFormat / RecordOption / PcmRate the engine cannot write
    NoResources = 6,        // no thread or memory left for capture
    WrongState = 7,         // a member called in the wrong state
    RecordingError = 8,     // the input failed while capturing
    CantStartRecording = 9,
    CantStartPlayback = 10,
    PlaybackError = 11,
    NoMixer = 12,
    TimeLimit = 13,         // the WAV file reached its 4 GiB limit
};
}
