#pragma once

#include "base/modRegistry.h"
#include "base/ProgramSettings.h"
#include "base/SettingsStore.h"

#include <functional>
#include <memory>
#include <optional>

class Clock;
class Desktop;
class Prompts;
class RecorderComponent;
class UserNameSource;

// The outside world as the program sees it; tests pass doubles.
struct Services
{
    Prompts &prompts;
    Clock &clock;
    UserNameSource &userName;
    Desktop &desktop;
    // A new recorder/player component instance (the window keeps one of each).
    std::function<std::unique_ptr<RecorderComponent>()> newRecorder;
    // Starts the recording mover; answers why it did not start. Empty: the real
    // voxmere-mover beside the program.
    std::function<std::optional<QString>()> launchMover = {};
    // Touches the sound cards' microphone controls once at start-up; empty: nothing.
    std::function<void()> findVolumeControls = {};
    // The recorder runs on the window's thread, its once-a-second check run by the caller:
    // for a recorder double that is not made for threads. Otherwise it has a thread of its own.
    bool recorderOnWindowThread = false;
};

// The program-wide state: settings, the two keys, the user and the temporary folder.
struct AppContext
{
    explicit AppContext(Services services);

    Services services;
    QString UserKey;    // "HKEY_CURRENT_USER\SOFTWARE\Voxmere"
    QString MachineKey; // "HKEY_LOCAL_MACHINE\SOFTWARE\Voxmere"
    modRegistry registry;
    SettingsStore store;
    ProgramSettings settings;
    QString CurrentUserName; // lower-cased login name that labels calls
    QString TempFolder;      // where recordings are written, ends in "/"

    Prompts &prompts() { return services.prompts; }
};
