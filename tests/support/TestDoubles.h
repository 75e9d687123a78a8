#pragma once

#include "base/Clock.h"
#include "base/UserName.h"

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
