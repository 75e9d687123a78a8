#include "base/FileNames.h"

#include <sys/stat.h>

namespace {

constexpr char16_t StrayBase = 0xDC00; // + the byte, 0x80..0xFF

// The length of the valid UTF-8 sequence at `p`, or 0.
int sequenceLength(const unsigned char *p, const unsigned char *end)
{
    const unsigned char c = p[0];
    int n;
    char32_t min;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) { n = 2; min = 0x80; }
    else if ((c & 0xF0) == 0xE0) { n = 3; min = 0x800; }
    else if ((c & 0xF8) == 0xF0) { n = 4; min = 0x10000; }
    else return 0;
    if (end - p < n)
        return 0;
    char32_t cp = c & (0x7F >> n);
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return cp < min || cp > 0x10FFFF || surrogate ? 0 : n;
}

} // namespace

namespace FileNames {

QString decode(const QByteArray &bytes)
{
    QString name;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    while (p < end) {
        const auto *run = p;
        while (p < end) {
            const int n = sequenceLength(p, end);
            if (n == 0)
                break;
            p += n;
        }
        name += QString::fromUtf8(reinterpret_cast<const char *>(run), p - run);
        if (p < end)
            name += QChar(char16_t(StrayBase + *p++));
    }
    return name;
}

QByteArray encode(const QString &path)
{
    QByteArray bytes;
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path.at(i).unicode();
        // The low half of a character beyond U+FFFF is no stray byte.
        if (c < StrayBase + 0x80 || c > StrayBase + 0xFF || (i > 0 && path.at(i - 1).isHighSurrogate()))
            continue;
        bytes += QStringView(path).mid(run, i - run).toUtf8();
        bytes += char(c - StrayBase);
        run = i + 1;
    }
    return bytes + QStringView(path).mid(run).toUtf8();
}

bool isFile(const QString &path)
{
    struct stat st;
    return ::stat(encode(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace FileNames
