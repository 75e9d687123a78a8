#include "base/modUtilityFunctions.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace modUtilityFunctions {

static QString lastTwo(qint32 n)
{
    return (u"0"_s + QString::number(n)).right(2);
}

QString FormatTime(qint32 count, qint32 divisor)
{
    const qint32 t = divisor ? count / divisor : 0;
    const qint32 s = t % 60;
    const qint32 m = ((t - s) % 3600) / 60;
    const qint32 h = (t - 60 * m - s) / 3600;
    return lastTwo(h) + u':' + lastTwo(m) + u':' + lastTwo(s);
}

qint32 TimeToSeconds(const QString &hhmmss)
{
    const qint32 h = hhmmss.left(2).toInt();
    const qint32 m = hhmmss.mid(2, 2).toInt();
    const qint32 s = hhmmss.right(2).toInt();
    return h * 3600 + m * 60 + s;
}

QString FileNameOf(const QString &path)
{
    const QString afterBackslash = path.mid(path.lastIndexOf(u'\\') + 1);
    return afterBackslash.mid(afterBackslash.lastIndexOf(u'/') + 1);
}

qint32 BoolToLong(bool flag)
{
    return flag ? 1 : 0;
}

std::optional<QDate> CDate(const QString &text)
{
    static const QStringList formats = {
        u"dd-MMM-yyyy"_s, u"d-MMM-yyyy"_s, u"dd/MMM/yyyy"_s, u"d/MMM/yyyy"_s,
        u"d MMMM yyyy"_s, u"dddd, d MMMM yyyy"_s, u"dd/MM/yyyy"_s, u"d/M/yyyy"_s,
        u"yyyy-MM-dd"_s, u"d MMM yyyy"_s,
    };
    const QString t = text.trimmed();
    const QLocale c = QLocale::c();
    for (const QString &f : formats) {
        const QDate d = c.toDate(t, f);
        if (d.isValid())
            return d;
    }
    // Month names of the user's language too ("Long Date" of the user's locale).
    const QLocale sys = QLocale::system();
    for (const QString &f : formats) {
        const QDate d = sys.toDate(t, f);
        if (d.isValid())
            return d;
    }
    const QDate d = sys.toDate(t, QLocale::LongFormat);
    if (d.isValid())
        return d;
    return std::nullopt;
}

std::optional<QTime> CTime(const QString &text)
{
    for (const QString &f : {u"hh:mm:ss"_s, u"h:mm:ss"_s, u"hh:mm"_s, u"h:mm"_s}) {
        const QTime t = QTime::fromString(text.trimmed(), f);
        if (t.isValid())
            return t;
    }
    return std::nullopt;
}

} // namespace modUtilityFunctions
