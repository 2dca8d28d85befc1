#include "mainwindow/singlecopy.h"
#include "mainwindowtesting.h"

#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

// Claiming the single-copy name: exactly one claimant wins, however close together they come.
class SingleCopyTest : public QObject
{
    Q_OBJECT

private slots:
    void oneClaimWinsAndTheNameIsFreedWithItsHolder();
    void nameBoundButNotYetListeningCountsAsTaken();
    void copiesRunningBesideTheHolderTakeOverInTurn();
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

void SingleCopyTest::copiesRunningBesideTheHolderTakeOverInTurn()
{
    TestScope scope;
    std::vector<std::unique_ptr<SingleCopy>> copies;
    for (int i = 0; i < 3; ++i)
        copies.push_back(std::make_unique<SingleCopy>());
    QCOMPARE(copies[0]->claim(), SingleCopy::Claim::First);
    for (int i : {1, 2}) {
        QCOMPARE(copies[i]->claim(), SingleCopy::Claim::Later);
        copies[i]->follow();
        QVERIFY(!copies[i]->holdsName());
    }
    // Each time the holder ends, exactly one of those left takes the name, and a copy started
    // then still finds one running.
    while (copies.size() > 1) {
        copies.erase(copies.begin() + (copies[0]->holdsName() ? 0 : 1));
        QTRY_VERIFY(
            std::any_of(copies.begin(), copies.end(), [](auto &c) { return c->holdsName(); }));
        QTest::qWait(100); // the others have had their turn to claim
        QCOMPARE(
            std::count_if(copies.begin(), copies.end(), [](auto &c) { return c->holdsName(); }), 1);
        SingleCopy started;
        QCOMPARE(started.claim(), SingleCopy::Claim::Later);
    }
}

QTEST_MAIN(SingleCopyTest)
#include "singlecopy_test.moc"
