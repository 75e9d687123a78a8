#pragma once

#include "callstore/clsCall.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

class Prompts;

// The listed calls, in list order: position n (from 1) is row n of the call list.
// A record added under key text k is found under "#k#".
class colCalls
{
public:
    using Record = std::shared_ptr<clsCall>;

    // Prompts shows the Add error box; without one the error is not shown.
    explicit colCalls(Prompts *prompts = nullptr) : m_prompts(prompts) {}

    bool Retrieve(bool) { return false; }

    // Before -1 appends, else inserts in front of that position. Key becomes "#Key#".
    // CallDate and CallTime are texts ("03-Feb-2005", "09:05:07"). On error shows
    // "Error: n: description in colCalls:Add Method" and returns null, nothing changed.
    Record Add(qint32 iCall, const QString &LoginName, const QString &CallDate,
               const QString &CallTime, qint32 CallDuration, const QString &CallNote,
               const QString &RecordingLocation, const QString &CallerID, qint32 Before,
               QString &Key);
    // The same with the date and time already converted (the search's fast path).
    Record Add(qint32 iCall, const QString &LoginName, const QDate &CallDate,
               const QTime &CallTime, qint32 CallDuration, const QString &CallNote,
               const QString &RecordingLocation, const QString &CallerID, qint32 Before,
               QString &Key);

    // A listed call at the end, numbered Count + 1 (or the next free number, when a call
    // filed meanwhile took that one) and keyed by its number.
    void Append(Record call);
    // The same in front of that position (Count + 1: at the end).
    void Insert(Record call, qsizetype before);

    QString maxKey() const;
    // Position 1..Count or key; out of range or unknown raises RuntimeError.
    Record Item(qsizetype position) const;
    Record Item(const QString &key) const;
    qsizetype Count() const { return qsizetype(m_items.size()); }
    void Remove(qsizetype position);
    // The record's position (from 1), looked for from the end; 0 when it is not listed.
    qsizetype PositionOf(const clsCall *call) const;
    void Remove(const QString &key);

    // NewEnum: iteration over the records in order.
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    static QString DecoratedKey(const QString &key) { return u'#' + key + u'#'; }

private:
    void remember(const clsCall &call, const QString &key);
    QString keyOf(const clsCall &call); // and forgets it

    std::vector<Record> m_items;
    QHash<QString, Record> m_byKey;
    QHash<const clsCall *, QString> m_keyOf; // keys other than "#iCall#"
    Prompts *m_prompts;
};

// Removes every member from the last to the first and releases the caller's collection.
void EmptyCollection(std::unique_ptr<colCalls> &calls);
