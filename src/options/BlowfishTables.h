#pragma once

#include <QtGlobal>

// Blowfish's initial tables, before any key is applied.
namespace BlowfishTables {
extern const quint32 P[18];
extern const quint32 S0[256];
extern const quint32 S1[256];
extern const quint32 S2[256];
extern const quint32 S3[256];
} // namespace BlowfishTables
