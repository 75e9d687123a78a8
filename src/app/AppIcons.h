#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, drawn in code so that they stay sharp at every size.
namespace AppIcons {
QIcon windowIcon(); // "AAA": a telephone handset on a sound wave
// What the tray icon shows at a glance, as a badge on the handset.
enum class TrayState { Idle, Listening, Recording, InputLost };
QIcon trayIcon(TrayState state = TrayState::Idle); // "BBB": the handset alone, readable at 16 px
QIcon icon(const char *resourceName); // "AAA" or "BBB"
QPixmap led(bool recording, int size); // red (recording) or green (ready)
QIcon recordIcon(); // the red dot of the record button
// The tool bar's own pictures, where the desktop's icon theme has none: drawn in the
// colour of the window's text, so that they read on a light and on a dark theme.
enum class Tool { Find, Mail, Save, Options, Help, Exit };
QIcon toolIcon(Tool tool, const QColor &ink);
} // namespace AppIcons
