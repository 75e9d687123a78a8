#include "callstore/colCalls.h"

#include <QCoreApplication>

#include <algorithm>

#include "base/modUtilityFunctions.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"

using namespace Qt::StringLiterals;

colCalls::Record colCalls::Add(qint32 iCall, const QString &LoginName, const QString &CallDate,
                               const QString &CallTime, qint32 CallDuration,
                               const QString &CallNote, const QString &RecordingLocation,
                               const QString &CallerID, qint32 Before, QString &Key)
{
    const auto date = modUtilityFunctions::CDate(CallDate);
    const auto time = modUtilityFunctions::CTime(CallTime);
    if (!date || !time) {
        if (m_prompts)
            m_prompts->msgBox(QCoreApplication::translate("colCalls", "Error: 13: Type mismatch in colCalls:Add Method"),
                              Prompts::OkOnly, Prompts::NoIcon, QString());
        return nullptr;
    }
    return Add(iCall, LoginName, *date, *time, CallDuration, CallNote, RecordingLocation,
               CallerID, Before, Key);
}

colCalls::Record colCalls::Add(qint32 iCall, const QString &LoginName, const QDate &CallDate,
                               const QTime &CallTime, qint32 CallDuration,
                               const QString &CallNote, const QString &RecordingLocation,
                               const QString &CallerID, qint32 Before, QString &Key)
{
    Key = DecoratedKey(Key);
    auto fail = [&](int number, const QString &description) -> Record {
        if (m_prompts)
            m_prompts->msgBox(QCoreApplication::translate("colCalls", "Error: %1: %2 in colCalls:Add Method")
                                  .arg(QString::number(number), description),
                              Prompts::OkOnly, Prompts::NoIcon, QString());
        return nullptr;
    };
    if (m_byKey.contains(Key))
        return fail(457, QCoreApplication::translate("RuntimeError", "This key is already associated with an element of this collection"));
    if (Before != -1 && (Before < 1 || Before > Count()))
        return fail(5, QCoreApplication::translate("RuntimeError", "Invalid procedure call or argument"));

    auto call = std::make_shared<clsCall>();
    call->setiCall(iCall);
    call->setLoginName(LoginName);
    call->setCallDate(CallDate);
    call->setCallTime(CallTime);
    call->setCallDuration(CallDuration);
    call->setCallNote(CallNote);
    call->setRecordingLocation(RecordingLocation);
    call->setCallerID(CallerID);

    if (Before == -1)
        m_items.push_back(call);
    else
        m_items.insert(m_items.begin() + (Before - 1), call);
    m_byKey.insert(Key, call);
    remember(*call, Key);
    return call;
}

void colCalls::Append(Record call)
{
    Insert(std::move(call), Count() + 1);
}

void colCalls::Insert(Record call, qsizetype before)
{
    qint32 number = qint32(Count()) + 1;
    while (m_byKey.contains(DecoratedKey(QString::number(number))))
        ++number;
    call->setiCall(number);
    const QString key = DecoratedKey(QString::number(number));
    m_items.insert(m_items.begin() + (std::clamp<qsizetype>(before, 1, Count() + 1) - 1), call);
    m_byKey.insert(key, call);
}

void colCalls::remember(const clsCall &call, const QString &key)
{
    // Nearly every key is the call's number; only the others are kept apart.
    if (key != DecoratedKey(QString::number(call.iCall())))
        m_keyOf.insert(&call, key);
}

QString colCalls::keyOf(const clsCall &call)
{
    const auto it = m_keyOf.constFind(&call);
    if (it == m_keyOf.constEnd())
        return DecoratedKey(QString::number(call.iCall()));
    const QString key = *it;
    m_keyOf.erase(it);
    return key;
}

QString colCalls::maxKey() const
{
    if (m_items.empty())
        return u"0"_s;
    return QString::number(std::max(m_items.front()->iCall(), m_items.back()->iCall()));
}

colCalls::Record colCalls::Item(qsizetype position) const
{
    if (position < 1 || position > Count())
        throw RuntimeError(9, QCoreApplication::translate("RuntimeError", "Subscript out of range"));
    return m_items[size_t(position - 1)];
}

colCalls::Record colCalls::Item(const QString &key) const
{
    const auto it = m_byKey.constFind(key);
    if (it == m_byKey.constEnd())
        throw RuntimeError(5, QCoreApplication::translate("RuntimeError", "Invalid procedure call or argument"));
    return *it;
}

void colCalls::Remove(qsizetype position)
{
    const Record call = Item(position);
    m_byKey.remove(keyOf(*call));
    m_items.erase(m_items.begin() + (position - 1));
}

qsizetype colCalls::PositionOf(const clsCall *call) const
{
    for (qsizetype i = Count(); i >= 1; --i)
        if (m_items[size_t(i - 1)].get() == call)
            return i;
    return 0;
}

void colCalls::Remove(const QString &key)
{
    const Record call = Item(key);
    const auto it = std::find(m_items.begin(), m_items.end(), call);
    Remove(qsizetype(it - m_items.begin()) + 1);
}

void EmptyCollection(std::unique_ptr<colCalls> &calls)
{
    if (!calls)
        return;
    for (qsizetype i = calls->Count(); i >= 1; --i)
        calls->Remove(i);
    calls.reset();
}
