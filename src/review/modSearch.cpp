#include "review/modSearch.h"

#include "base/modErrors.h"
#include "base/RuntimeError.h"
#include "callstore/CallFiles.h"
#include "review/modDateFunctions.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace modSearch {

QString BuildFilePattern(const clsSearch &c)
{
    QString datePart;
    if (c.StartDate == c.EndDate) {
        datePart = c.StartDate;
    } else if (c.StartDate.left(4) == c.EndDate.left(4)) {
        datePart = c.StartDate.left(4);
        if (c.StartDate.mid(4, 2) == c.EndDate.mid(4, 2))
            datePart += c.StartDate.mid(4, 2);
        datePart += u'*';
    } else {
        datePart = u"*"_s;
    }
    return datePart + u"-*-"_s + c.User + u"-*.wav"_s;
}

bool NoteConditionApplies(const QString &note)
{
    return !note.isEmpty() && note != u"*"_s;
}

// Trim as the note rule means it: spaces only.
static QString trimSpaces(const QString &s)
{
    qsizetype first = 0, last = s.size();
    while (first < last && s[first] == u' ')
        ++first;
    while (last > first && s[last - 1] == u' ')
        --last;
    return s.mid(first, last - first);
}

QStringList NotePieces(const QString &note)
{
    QStringList pieces;
    for (const QString &piece : note.split(u'*', Qt::SkipEmptyParts))
        pieces << trimSpaces(piece).toUpper();
    return pieces;
}

bool PiecesFound(const QStringList &pieces, const QString &upperText)
{
    if (pieces.isEmpty())
        return false;
    for (const QString &piece : pieces)
        if (!upperText.contains(piece))
            return false;
    return true;
}

bool FindStringInFile(const QString &note, const QString &audioPath, Prompts &prompts)
{
    const CallFiles::NoteFile file = CallFiles::ReadCallNote(audioPath);
    if (file.status == CallFiles::NoteFile::Missing)
        return false;
    if (file.status != CallFiles::NoteFile::Read) {
        modErrors::ReportError(prompts, file.errorNumber, file.errorText, 999,
                               u"frmMain:FindStringInFile: '"_s + note + u"' in '"_s + audioPath
                                   + u"'"_s,
                               QString());
        return false;
    }
    return PiecesFound(NotePieces(note), CallFiles::DecodeNote(file.bytes).toUpper());
}

static std::optional<QDate> criterionDate(const QString &text)
{
    if (text == u"*"_s)
        return std::nullopt;
    const QDate day = QDate::fromString(text, u"yyyyMMdd"_s);
    if (!day.isValid())
        throw RuntimeError(13, QCoreApplication::translate("RuntimeError", "Type mismatch"));
    return day;
}

DateRange DateRuleOf(const clsSearch &c)
{
    DateRange range;
    range.from = criterionDate(c.StartDate);
    range.to = criterionDate(c.EndDate);
    // The same day at both ends is fixed by the file pattern already.
    range.applies = c.StartDate != c.EndDate;
    return range;
}

} // namespace modSearch
