#pragma once

// Opens the desktop's recording volume control, the mixer the user sets the input
// level with. Linux has no one mixer window; the PulseAudio/PipeWire volume controls
// are the ones that show the input.
class MixerLauncher
{
public:
    // False when no known mixer program is installed or it cannot be started.
    static bool show();
};
