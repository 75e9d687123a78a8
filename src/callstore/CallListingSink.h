#pragma once

#include "callstore/clsCall.h"

#include <memory>

// What hears of a search that fills a list, on the search's own thread.
class CallListingSink
{
public:
    virtual ~CallListingSink() = default;
    // The search may stop: it looks between files.
    virtual bool cancelled() const { return false; }
    // The viewed folder could be read: the old listing goes, the matches follow.
    virtual void listingReplaced() = 0;
    // The next match, in list order; its number and key are given when it is listed.
    virtual void callFound(std::shared_ptr<clsCall> call) = 0;
    // A folder has been searched: the list grows folder by folder.
    virtual void folderDone() {}
};
