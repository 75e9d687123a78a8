#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

// What the program asks of the desktop: its mail program, its handler of paths and web
// addresses, and its folder chooser. The program talks to the real desktop (XdgDesktop);
// a test gives a double that keeps what was asked.
class Desktop
{
public:
    struct Mail
    {
        QString subject, body;
        QStringList attachments; // files
    };
    // Why a message did not reach the mail program: it did not start, or it failed.
    using MailFailed = std::function<void(bool started, const QString &error)>;

    virtual ~Desktop() = default;

    // The desktop file of the program that mailto: links open; "" when none is set.
    virtual QString mailProgram() = 0;
    // Hands the message to the mail program, which may stay open until the user sends;
    // `failed` is called later, on this thread, if it could not start or failed.
    virtual void compose(const Mail &mail, MailFailed failed) = 0;
    // Opens a path or web address with the desktop's handler for it.
    virtual void open(const QString &pathOrAddress) = 0;
    // The folder chosen in the desktop's folder chooser, opening at `initialFolder`;
    // empty when cancelled.
    virtual QUrl chooseFolder(QWidget *owner, const QString &initialFolder, const QString &title) = 0;
};
