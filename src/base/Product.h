#pragma once

#include <QString>

// The product name: the settings key, captions and message titles derive from it.
inline QString ProductName()
{
    return QStringLiteral("Voxmere");
}
