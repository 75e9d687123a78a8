#pragma once

#include <QString>
#include <optional>

// The login name of the user running the program; empty when the system gives none.
class UserNameSource
{
public:
    virtual ~UserNameSource() = default;
    virtual std::optional<QString> loginName() const = 0;
};

class SystemUserName final : public UserNameSource
{
public:
    std::optional<QString> loginName() const override;
};
