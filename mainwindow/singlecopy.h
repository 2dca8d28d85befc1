#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Finds a copy of the program already running for this user and asks it to bring its main window
// forward; the first copy listens for those requests.
class SingleCopy : public QObject
{
    Q_OBJECT
public:
    explicit SingleCopy(QObject *parent = nullptr);

    // The local socket name: one per user and settings store.
    static QString serverName();

    bool anotherCopyRunning() const; // a running copy answers on the socket
    bool listen();                   // becomes the copy that later ones find
    bool askToActivate() const;      // asks the running copy to raise and activate its window

signals:
    void activationRequested(); // a later copy asked this one to come forward

private:
    void readRequests(QLocalSocket *socket);

    QLocalServer *m_server = nullptr; // listening while this copy is the first
};
