#include "callstore/UserIdentity.h"

#include "base/UserName.h"
#include "callstore/CallFiles.h"

using namespace Qt::StringLiterals;

QString GetPCAndUserName(const UserNameSource &source)
{
    QString name = source.loginName().value_or(u"ANON"_s);
    if (name.isEmpty())
        name = u"ANON"_s;
    while (name.endsWith(QChar(u'\0')))
        name.chop(1);
    return CallFiles::SafeUserName(name.toLower());
}
