#pragma once

#include <QtGlobal>

#include <optional>

struct AppContext;
class QWidget;
class RecorderComponent;

namespace CalibrationWizard {

// The help pages over the sound card's mixer, then the calibration window, all modal over
// owner. recorder is the main window's: it gives up the input and opens the mixer.
// Answers the idle line's loudest level (whole dB, -50 to -2) when the user accepted a
// measurement; the sensitivity belongs 2 dB above it.
std::optional<qint16> Run(AppContext &ctx, RecorderComponent &recorder, QWidget *owner);

} // namespace CalibrationWizard
