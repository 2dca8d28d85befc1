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

    // What claiming the name found: this copy is the first, another holds it, or none can.
    enum class Claim { First, Later, Unavailable };

    // Takes the name in one step, so two copies started together never both become the first.
    Claim claim();
    bool anotherCopyRunning() const; // a running copy answers on the socket
    bool askToActivate() const;      // asks the running copy to raise and activate its window

signals:
    void activationRequested(); // a later copy asked this one to come forward

private:
    bool listen(const QString &name); // listens and answers requests; false if the name is taken
    void readRequests(QLocalSocket *socket);

    QLocalServer *m_server = nullptr; // listening while this copy is the first
};
