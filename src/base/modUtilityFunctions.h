#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

class Prompts;

// Small routines shared by several windows.
namespace modUtilityFunctions {

// "HH:MM:SS" of count / divisor seconds; each part is the last two characters of "0" + number.
QString FormatTime(qint32 count, qint32 divisor);

// "hhmmss" -> seconds.
qint32 TimeToSeconds(const QString &hhmmss);

// The part of a path after its last "\" and then after its last "/".
QString FileNameOf(const QString &path);

qint32 BoolToLong(bool flag);

// The system's date and time conversion of text, as the call records use it:
// "03-Feb-2005", "03/Feb/2005", "3 February 2005", "03/02/2005", "2005-02-03".
std::optional<QDate> CDate(const QString &text);
// "09:05:07" or "9:05".
std::optional<QTime> CTime(const QString &text);

} // namespace modUtilityFunctions
