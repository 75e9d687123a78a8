#pragma once

#include <QString>

// The product name: the settings key, captions and message titles derive from it.
inline QString ProductName()
{
    return QStringLiteral("Voxmere");
}

// The maker's web address: the logo and the about box open it.
inline QString ProductWebAddress()
{
    return QStringLiteral("https://voxmere.example.org/");
}
