#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Blowfish (64-bit blocks, 16 rounds) in cipher-block chaining, over a framed buffer:
// two random words, the plain length (little-endian), the data, zeros to a whole block.
// Texts become bytes one byte a character (Latin-1), so any byte value survives.
class clsBlowFish : public QObject
{
    Q_OBJECT

public:
    explicit clsBlowFish(QObject *parent = nullptr);

    // An empty key keeps the one applied last.
    void EncryptByte(QByteArray &byteArray, const QString &key = {});
    QString EncryptString(const QString &text, const QString &key = {}, bool OutputInHex = false);
    // Cannot fail: any text deciphers to some bytes, a wrong key to other ones.
    QString DecryptString(const QString &text, const QString &key = {}, bool IsTextInHex = false);
    // A buffer that is not whole blocks, or whose length word does not fit it, is left
    // deciphered as far as it went, header included.
    void DecryptByte(QByteArray &byteArray, const QString &key = {});

    // Runs the key schedule on the tables as they stand, unless the key is the one last
    // applied (or empty).
    void setKey(const QString &key);

    // Quietly do nothing when the source is missing or the destination exists and may
    // not be overwritten. A source that cannot be read or a destination that cannot be
    // written is told: the answer says why (empty when all went well), and the
    // destination is left as it was.
    [[nodiscard]] QString EncryptFile(const QString &InFile, const QString &OutFile, bool Overwrite,
                                      const QString &key = {});
    [[nodiscard]] QString DecryptFile(const QString &InFile, const QString &OutFile, bool Overwrite,
                                      const QString &key = {});

    // One block, L holding the first four bytes.
    void EncipherBlock(quint32 &L, quint32 &R) const;
    void DecipherBlock(quint32 &L, quint32 &R) const;

signals:
    void Progress(int Percent);

private:
    quint32 F(quint32 x) const;
    QString convertFile(const QString &InFile, const QString &OutFile, bool Overwrite,
                     const QString &key, void (clsBlowFish::*convert)(QByteArray &, const QString &));

    quint32 m_P[18];
    quint32 m_S[4][256];
    QString m_key;
};
