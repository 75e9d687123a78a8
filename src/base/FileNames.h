#pragma once

#include <QByteArray>
#include <QString>

// File names as the file system holds them: bytes, nearly always UTF-8. A name that is
// not valid UTF-8 (made on another system, copied from an old share) keeps each stray
// byte as a lone surrogate U+DC80..U+DCFF, so that it converts back to the very same
// bytes; QFile::decodeName makes them U+FFFD, and the file can no longer be opened.
namespace FileNames {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &path);
// True when `path` names a regular file, links followed.
bool isFile(const QString &path);

} // namespace FileNames
