#pragma once

#include <QtGlobal>

class colCalls;

// What a list hears of a search that fills it.
class CallListingSink
{
public:
    virtual ~CallListingSink() = default;
    // The new, empty collection; the old one is emptied right after.
    virtual void listingReplaced(colCalls &calls) = 0;
    // After each folder: positions first..last (from 1) were appended.
    virtual void callsAppended(qsizetype first, qsizetype last) = 0;
    // A question is about to be asked (false) or has been answered (true).
    virtual void busy(bool) {}
};
