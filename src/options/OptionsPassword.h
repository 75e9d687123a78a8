#pragma once

#include <QString>


// The options password: kept in the "PW" setting enciphered under a fixed key.
namespace OptionsPassword {

// The enciphered form of a typed password, as "PW" stores it.
QString Encipher(const QString &typed);
// Whether the typed password is the one stored; a stored text that does not decipher
// matches nothing.
bool Matches(const QString &stored, const QString &typed);

} // namespace OptionsPassword
