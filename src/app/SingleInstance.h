#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

// One running program per user: a later start asks the running one to show its window
// and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QString name = defaultName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance; or, when one already runs, asks it to come to the
    // front and returns false.
    bool claim();
    // Asks a running instance to come to the front; true when one answered.
    bool ActivatePreviousInstance();

    static QString defaultName();

signals:
    void showRequested();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
    std::unique_ptr<QLockFile> m_lock;
};
