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
    // For a copy that runs on without the name: takes the name over when its holder ends, so a
    // copy started later still finds one running.
    void follow();
    bool holdsName() const;          // this copy is the one later copies find
    bool anotherCopyRunning() const; // a running copy answers on the socket
    bool askToActivate() const;      // asks the running copy to raise and activate its window

signals:
    void activationRequested(); // a later copy asked this one to come forward

private:
    bool listen(const QString &name); // listens and answers requests; false if the name is taken
    void readRequests(QLocalSocket *socket);

    void claimAfterHolder(); // the followed copy ended: claim the name or follow the new holder

    QLocalServer *m_server = nullptr; // listening while this copy is the first
    QLocalSocket *m_holder = nullptr; // connection to the holder while following it
};
