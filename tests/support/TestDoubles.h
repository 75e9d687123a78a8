#pragma once

#include "base/Clock.h"
#include "base/Desktop.h"
#include "base/UserName.h"

#include <optional>

// A clock that says what the test tells it.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2024, 3, 1), QTime(9, 15, 0)))
        : m_now(now)
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advance(int seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

class FixedUserName final : public UserNameSource
{
public:
    explicit FixedUserName(std::optional<QString> name = QStringLiteral("ann")) : m_name(name) {}
    std::optional<QString> loginName() const override { return m_name; }

private:
    std::optional<QString> m_name;
};

// The desktop as a test sets it: the mail program it names, and what it was asked.
class FakeDesktop final : public Desktop
{
public:
    QString mailer = QStringLiteral("thunderbird.desktop");
    std::optional<std::pair<bool, QString>> mailFails; // as compose then tells it: started, error
    QList<Mail> composed;
    QStringList opened;
    QList<QUrl> folders;  // the chooser's next answers; none left: cancelled
    QStringList offered;  // the folders the chooser opened at

    QString mailProgram() override { return mailer; }
    void compose(const Mail &mail, MailFailed failed) override
    {
        composed << mail;
        if (mailFails)
            failed(mailFails->first, mailFails->second);
    }
    void open(const QString &pathOrAddress) override { opened << pathOrAddress; }
    QUrl chooseFolder(QWidget *, const QString &initialFolder, const QString &) override
    {
        offered << initialFolder;
        return folders.isEmpty() ? QUrl() : folders.takeFirst();
    }
};
