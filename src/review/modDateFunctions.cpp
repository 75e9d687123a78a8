#include "review/modDateFunctions.h"

#include "base/modUtilityFunctions.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace modDateFunctions {

QString MonthAbbrev(int month)
{
    static const char *const names[12] = {
        QT_TRANSLATE_NOOP("modDateFunctions", "Jan"), QT_TRANSLATE_NOOP("modDateFunctions", "Feb"), QT_TRANSLATE_NOOP("modDateFunctions", "Mar"),
        QT_TRANSLATE_NOOP("modDateFunctions", "Apr"), QT_TRANSLATE_NOOP("modDateFunctions", "May"), QT_TRANSLATE_NOOP("modDateFunctions", "Jun"),
        QT_TRANSLATE_NOOP("modDateFunctions", "Jul"), QT_TRANSLATE_NOOP("modDateFunctions", "Aug"), QT_TRANSLATE_NOOP("modDateFunctions", "Sep"),
        QT_TRANSLATE_NOOP("modDateFunctions", "Oct"), QT_TRANSLATE_NOOP("modDateFunctions", "Nov"), QT_TRANSLATE_NOOP("modDateFunctions", "Dec")};
    if (month < 1 || month > 12)
        return QString();
    return QCoreApplication::translate("modDateFunctions", names[month - 1]);
}

bool IsValidDate(const QString &text)
{
    return modUtilityFunctions::CDate(text).has_value();
}

// The month of characters 5-6; 0 (no month) when they are not two digits.
static int monthOf(QStringView fileDate)
{
    const QStringView mm = fileDate.mid(4, 2);
    if (mm.size() != 2 || !mm[0].isDigit() || !mm[1].isDigit())
        return 0;
    return mm.toInt();
}

QString FileDateToDisplay(const QString &fileDate)
{
    const QStringView d(fileDate);
    return d.right(2).toString() + u'/' + MonthAbbrev(monthOf(d)) + u'/' + d.left(4).toString();
}

QString CallDateText(QStringView field)
{
    return field.right(2).toString() + u'-' + MonthAbbrev(monthOf(field)) + u'-' + field.left(4).toString();
}

static bool asciiDigits(QStringView s)
{
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return !s.isEmpty();
}

std::optional<QDate> CallDateOf(QStringView field)
{
    // "dd-Mon-yyyy": two digits of day, a month 1..12 and four digits of year.
    if (field.size() < 6)
        return std::nullopt;
    const QStringView day = field.right(2), year = field.left(4);
    const int month = monthOf(field);
    if (!asciiDigits(day) || !asciiDigits(year) || month < 1 || month > 12)
        return std::nullopt;
    const QDate date(year.toInt(), month, day.toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace modDateFunctions
