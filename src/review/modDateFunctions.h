#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

// Dates of call file names ("yyyymmdd") and of the search criteria.
namespace modDateFunctions {

// "Jan".."Dec" for 1..12; empty for 0 and for any other number.
QString MonthAbbrev(int month);

// True when the text converts to a date (the user's locale or the program's own forms).
bool IsValidDate(const QString &text);

// "yyyymmdd" -> "dd/Mon/yyyy".
QString FileDateToDisplay(const QString &fileDate);

// The date text of a call file's date field: "dd-Mon-yyyy".
QString CallDateText(QStringView field);

// The day a call file's date field names, or nothing when its date text is no date.
// The same verdict as IsValidDate(CallDateText(field)), without parsing text: the
// search asks this for every file.
std::optional<QDate> CallDateOf(QStringView field);

} // namespace modDateFunctions
