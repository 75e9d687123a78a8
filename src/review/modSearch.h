#pragma once

#include "review/clsSearch.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class Prompts;

// Matching of call files against search criteria.
namespace modSearch {

// The wildcard pattern that narrows a folder's file names to the criteria's day, month
// or year and user: date part + "-*-" + User + "-*.wav".
QString BuildFilePattern(const clsSearch &criteria);

// The note condition: "" and "*" set none.
bool NoteConditionApplies(const QString &note);

// The pieces of a note text between its "*"s, each trimmed and upper-cased; empty
// pieces are left out (a piece of spaces only stays, as an empty text).
QStringList NotePieces(const QString &note);

// True when there are pieces and each occurs in the upper-cased note text.
bool PiecesFound(const QStringList &pieces, const QString &upperText);

// True when every piece of the note text occurs in the call's note file (any case).
// A missing note file never matches; an unreadable one is reported and does not match.
bool FindStringInFile(const QString &note, const QString &audioPath, Prompts &prompts);

// The date rule: the days a call may carry. A bound of nothing is open: a start date
// without end date means "from that day on", an end date alone "up to that day".
struct DateRange
{
    bool applies = false;
    std::optional<QDate> from, to;
    bool contains(const QDate &day) const
    {
        return !applies || ((!from || *from <= day) && (!to || day <= *to));
    }
};

// Throws RuntimeError 13 (Type mismatch) for a date criterion that is neither "*"
// nor "yyyymmdd".
DateRange DateRuleOf(const clsSearch &criteria);

} // namespace modSearch
