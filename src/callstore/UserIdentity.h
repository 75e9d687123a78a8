#pragma once

#include <QString>

class UserNameSource;

// The name that labels every recorded call: the login name lower-cased, "anon" when the
// system gives none, with "-" made "_" so that a call file name keeps its four fields.
QString GetPCAndUserName(const UserNameSource &source);
