#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running program per user: a later start asks the running one to show its window
// and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QString name = defaultName(), QObject *parent = nullptr);

    // Asks a running instance to come to the front; true when one answered.
    bool ActivatePreviousInstance();
    // Becomes the running instance; false only when the name cannot be taken at all.
    bool listen();

    static QString defaultName();

signals:
    void showRequested();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};
