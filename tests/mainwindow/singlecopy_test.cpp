#include "mainwindow/singlecopy.h"
#include "mainwindowtesting.h"

#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

// Claiming the single-copy name: exactly one claimant wins, however close together they come.
class SingleCopyTest : public QObject
{
    Q_OBJECT

private slots:
    void oneClaimWinsAndTheNameIsFreedWithItsHolder();
    void nameBoundButNotYetListeningCountsAsTaken();
};

void SingleCopyTest::oneClaimWinsAndTheNameIsFreedWithItsHolder()
{
    TestScope scope;
    {
        SingleCopy first;
        QCOMPARE(first.claim(), SingleCopy::Claim::First);
        SingleCopy second;
        QVERIFY(second.anotherCopyRunning());
        QCOMPARE(second.claim(), SingleCopy::Claim::Later);
        QSignalSpy raised(&first, &SingleCopy::activationRequested);
        QVERIFY(second.askToActivate());
        QTRY_COMPARE(raised.size(), 1);
    }
    SingleCopy afterwards;
    QVERIFY(!afterwards.anotherCopyRunning());
    QCOMPARE(afterwards.claim(), SingleCopy::Claim::First);
}

void SingleCopyTest::nameBoundButNotYetListeningCountsAsTaken()
{
    TestScope scope;
    // A copy started a moment earlier has bound the name and not yet begun to listen: no one
    // answers, yet the name is its own.
    const QByteArray name = SingleCopy::serverName().toUtf8();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(size_t(name.size()) < sizeof(address.sun_path));
    std::memcpy(address.sun_path + 1, name.constData(), size_t(name.size()));
    const int holder = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(holder >= 0);
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size_t(name.size()));
    QCOMPARE(::bind(holder, reinterpret_cast<const sockaddr *>(&address), length), 0);

    SingleCopy latecomer;
    QVERIFY(!latecomer.anotherCopyRunning());
    QCOMPARE(latecomer.claim(), SingleCopy::Claim::Later);
    ::close(holder);
    SingleCopy next;
    QCOMPARE(next.claim(), SingleCopy::Claim::First);
}

QTEST_MAIN(SingleCopyTest)
#include "singlecopy_test.moc"
