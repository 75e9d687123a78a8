#pragma once

#include <QString>

// Search criteria: every property "*" (no condition) when created.
struct clsSearch
{
    QString Note = QStringLiteral("*");      // pieces joined by "*"; "" or "*": no note condition
    QString Extension = QStringLiteral("*"); // carried along, takes no part in matching
    QString StartDate = QStringLiteral("*"); // "*" or "yyyymmdd"
    QString EndDate = QStringLiteral("*");   // "*" or "yyyymmdd"
    QString User = QStringLiteral("*");      // wildcard on the user field of the file name
};
