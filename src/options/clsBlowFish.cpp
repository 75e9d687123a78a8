#include "options/clsBlowFish.h"
#include "options/BlowfishTables.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype HeaderSize = 12;

quint32 readWord(const char *at) { return qFromBigEndian<quint32>(at); }
void writeWord(char *at, quint32 word) { qToBigEndian(word, at); }

// Raises Progress when a block reaches the next whole percent, and 100 at the end.
class ProgressReport
{
public:
    ProgressReport(clsBlowFish &bf, qsizetype total) : m_bf(bf), m_total(total) {}

    void blockDone(qsizetype offset)
    {
        if (offset < m_next)
            return;
        raise(int(offset * 100 / m_total));
        m_next = std::llround((m_last + 1) / 100.0 * double(m_total) + 1);
    }
    void finish()
    {
        if (m_last != 100)
            raise(100);
    }

private:
    void raise(int percent)
    {
        m_last = percent;
        emit m_bf.Progress(percent);
    }

    clsBlowFish &m_bf;
    qsizetype m_total;
    qint64 m_next = 0;
    int m_last = -1;
};

// Two characters a byte; a pair that is not hexadecimal counts as 0.
QByteArray fromHexPairs(const QString &text)
{
    const auto isHex = [](QChar c) { return c.unicode() < 128 && std::isxdigit(c.unicode()); };
    QByteArray bytes;
    bytes.reserve((text.size() + 1) / 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const QString pair = text.mid(i, 2);
        bytes.append(char(std::all_of(pair.begin(), pair.end(), isHex) ? pair.toUInt(nullptr, 16) : 0));
    }
    return bytes;
}

} // namespace

clsBlowFish::clsBlowFish(QObject *parent) : QObject(parent)
{
    std::copy_n(BlowfishTables::P, 18, m_P);
    std::copy_n(BlowfishTables::S0, 256, m_S[0]);
    std::copy_n(BlowfishTables::S1, 256, m_S[1]);
    std::copy_n(BlowfishTables::S2, 256, m_S[2]);
    std::copy_n(BlowfishTables::S3, 256, m_S[3]);
}

void clsBlowFish::setKey(const QString &key)
{
    if (key.isEmpty() || key == m_key)
        return;
    m_key = key;
    const QByteArray bytes = key.toLatin1();
    qsizetype next = 0;
    for (quint32 &p : m_P) {
        quint32 word = 0;
        for (int i = 0; i < 4; ++i) {
            word = word << 8 | quint8(bytes[next]);
            next = (next + 1) % bytes.size();
        }
        p ^= word;
    }
    quint32 l = 0, r = 0;
    const auto refill = [&](quint32 *words, int count) {
        for (int i = 0; i < count; i += 2) {
            EncipherBlock(l, r);
            words[i] = l;
            words[i + 1] = r;
        }
    };
    refill(m_P, 18);
    for (auto &box : m_S)
        refill(box, 256);
}

quint32 clsBlowFish::F(quint32 x) const
{
    return ((m_S[0][x >> 24] + m_S[1][x >> 16 & 0xFF]) ^ m_S[2][x >> 8 & 0xFF]) + m_S[3][x & 0xFF];
}

void clsBlowFish::EncipherBlock(quint32 &L, quint32 &R) const
{
    for (int j = 0; j < 16; j += 2) {
        L ^= m_P[j];
        R ^= F(L) ^ m_P[j + 1];
        L ^= F(R);
    }
    const quint32 left = R ^ m_P[17];
    R = L ^ m_P[16];
    L = left;
}

void clsBlowFish::DecipherBlock(quint32 &L, quint32 &R) const
{
    for (int j = 17; j > 1; j -= 2) {
        L ^= m_P[j];
        R ^= F(L) ^ m_P[j - 1];
        L ^= F(R);
    }
    const quint32 left = R ^ m_P[0];
    R = L ^ m_P[1];
    L = left;
}

void clsBlowFish::EncryptByte(QByteArray &byteArray, const QString &key)
{
    setKey(key);
    const qsizetype n = byteArray.size();
    // A fresh source each call, so that the same text never enciphers the same way twice.
    std::random_device source;
    std::uniform_int_distribution<qint32> value(0, 2147483647);
    char header[HeaderSize];
    qToLittleEndian<qint32>(value(source), header);
    qToLittleEndian<qint32>(value(source), header + 4);
    qToLittleEndian<qint32>(qint32(n), header + 8);
    byteArray.prepend(header, HeaderSize);
    byteArray.resize((n + HeaderSize + 7) / 8 * 8, '\0');

    ProgressReport progress(*this, byteArray.size());
    char *data = byteArray.data();
    quint32 l = 0, r = 0;
    for (qsizetype at = 0; at < byteArray.size(); at += 8) {
        l ^= readWord(data + at);
        r ^= readWord(data + at + 4);
        EncipherBlock(l, r);
        writeWord(data + at, l);
        writeWord(data + at + 4, r);
        progress.blockDone(at);
    }
    progress.finish();
}

void clsBlowFish::DecryptByte(QByteArray &byteArray, const QString &key)
{
    setKey(key);
    ProgressReport progress(*this, byteArray.size());
    char *data = byteArray.data();
    quint32 lastL = 0, lastR = 0;
    for (qsizetype at = 0; at + 8 <= byteArray.size(); at += 8) {
        quint32 l = readWord(data + at), r = readWord(data + at + 4);
        const quint32 cipherL = l, cipherR = r;
        DecipherBlock(l, r);
        writeWord(data + at, l ^ lastL);
        writeWord(data + at + 4, r ^ lastR);
        lastL = cipherL;
        lastR = cipherR;
        progress.blockDone(at);
    }
    if (byteArray.size() % 8 != 0)
        return;
    progress.finish();
    if (byteArray.size() < HeaderSize)
        return;
    const qint64 n = qFromLittleEndian<qint32>(data + 8);
    const qint64 spare = byteArray.size() - n;
    if (spare < HeaderSize || spare > HeaderSize + 7)
        return;
    byteArray.remove(0, HeaderSize);
    byteArray.truncate(n);
}

QString clsBlowFish::EncryptString(const QString &text, const QString &key, bool OutputInHex)
{
    QByteArray bytes = text.toLatin1();
    EncryptByte(bytes, key);
    return QString::fromLatin1(OutputInHex ? bytes.toHex().toUpper() : bytes);
}

QString clsBlowFish::DecryptString(const QString &text, const QString &key, bool IsTextInHex)
{
    if (text.isEmpty())
        return {};
    QByteArray bytes = IsTextInHex ? fromHexPairs(text) : text.toLatin1();
    DecryptByte(bytes, key);
    return QString::fromLatin1(bytes);
}

QString clsBlowFish::EncryptFile(const QString &InFile, const QString &OutFile, bool Overwrite,
                                 const QString &key)
{
    return convertFile(InFile, OutFile, Overwrite, key, &clsBlowFish::EncryptByte);
}

QString clsBlowFish::DecryptFile(const QString &InFile, const QString &OutFile, bool Overwrite,
                                 const QString &key)
{
    return convertFile(InFile, OutFile, Overwrite, key, &clsBlowFish::DecryptByte);
}

QString clsBlowFish::convertFile(const QString &InFile, const QString &OutFile, bool Overwrite,
                                 const QString &key,
                                 void (clsBlowFish::*convert)(QByteArray &, const QString &))
{
    if (!QFileInfo(InFile).isFile() || (!Overwrite && QFileInfo::exists(OutFile)))
        return {};
    QFile source(InFile);
    QByteArray buffer;
    if (source.open(QIODevice::ReadOnly))
        buffer = source.readAll();
    if (!source.isOpen() || source.error() != QFileDevice::NoError)
        return QCoreApplication::translate("clsBlowFish", "Cannot read %1: %2").arg(InFile, source.errorString());
    (this->*convert)(buffer, key);
    // Written beside the destination and renamed over it: a failed write leaves the old file.
    QSaveFile target(OutFile);
    // A disk that fills up takes part of a write without an error: the size tells.
    if (!target.open(QIODevice::WriteOnly) || target.write(buffer) != buffer.size() || !target.flush()
        || target.size() != buffer.size() || !target.commit())
        return QCoreApplication::translate("clsBlowFish", "Cannot write %1: %2").arg(OutFile, target.errorString());
    return {};
}
