#include "options/OptionsPassword.h"

#include "options/clsBlowFish.h"

using namespace Qt::StringLiterals;

namespace {

const QString Key = u"Qw4Lp8Zr"_s;

// The cipher takes one byte a character; a password's UTF-8 bytes keep characters beyond
// Latin-1 apart instead of all becoming '?', which would let "€1" open what "?1" locked.
QString bytesOf(const QString &typed)
{
    return QString::fromLatin1(typed.toUtf8());
}

} // namespace

namespace OptionsPassword {

QString Encipher(const QString &typed)
{
    clsBlowFish cipher;
    return cipher.EncryptString(bytesOf(typed), Key);
}

bool Matches(const QString &stored, const QString &typed)
{
    clsBlowFish cipher;
    return cipher.DecryptString(stored, Key) == bytesOf(typed);
}

} // namespace OptionsPassword
