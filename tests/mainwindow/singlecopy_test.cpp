#include "mainwindow/singlecopy.h"
#include "mainwindowtesting.h"
#include "platform/settingsstore.h"
#include "platform/singlecopy.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
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
    void nameHeldButNotYetListeningCountsAsTaken();
    void squattedNameIsNeverTakenForOurFirstCopy_data();
    void squattedNameIsNeverTakenForOurFirstCopy();
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

void SingleCopyTest::nameHeldButNotYetListeningCountsAsTaken()
{
    TestScope scope;
    // A copy started a moment earlier holds the name and does not listen yet: no one answers,
    // yet the name is its own.
    const platform::SingleCopyName early(platform::SettingsStore("ravo2").location());
    const int lock = ::open(early.lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(lock >= 0);
    QCOMPARE(::flock(lock, LOCK_EX | LOCK_NB), 0);

    SingleCopy latecomer;
    QVERIFY(!latecomer.anotherCopyRunning());
    QCOMPARE(latecomer.claim(), SingleCopy::Claim::Later);
    ::close(lock);
    SingleCopy next;
    QCOMPARE(next.claim(), SingleCopy::Claim::First);
}

namespace
{

// Binds and listens on a unix socket name (a leading '@' for the abstract namespace).
bool listenOn(const std::string &name)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.data(), name.size());
    socklen_t length = sizeof address;
    if (name[0] == '@') {
        address.sun_path[0] = '\0';
        length = socklen_t(offsetof(sockaddr_un, sun_path) + name.size());
    }
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    return s >= 0 && ::bind(s, reinterpret_cast<const sockaddr *>(&address), length) == 0 &&
           ::listen(s, 4) == 0;
}

// Another user (nobody) squats what `where` names, and holds it until `release` closes.
pid_t squatAsAnotherUser(const QString &where, const std::string &name, const std::string &folder,
                         const int ready[2], const int release[2])
{
    const pid_t child = fork();
    if (child != 0)
        return child;
    ::close(ready[0]);
    ::close(release[1]); // the parent's closing of its end is the signal to go
    bool done = ::setgid(65534) == 0 && ::setuid(65534) == 0;
    if (where == QLatin1String("abstract")) {
        done = done && listenOn("@" + name);
    } else {
        ::mkdir(folder.c_str(), 0777);
        ::chmod(folder.c_str(), 0777);
        const int lock = ::open((folder + "/" + name + ".lock").c_str(), O_RDWR | O_CREAT, 0666);
        done = done && lock >= 0 && ::flock(lock, LOCK_EX) == 0 &&
               listenOn(folder + "/" + name + ".socket");
    }
    char answer = done ? '1' : '0';
    (void)!::write(ready[1], &answer, 1);
    (void)!::read(release[0], &answer, 1);
    _exit(0);
}

} // namespace

void SingleCopyTest::squattedNameIsNeverTakenForOurFirstCopy_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("expected");
    // Today's name in the abstract namespace, which has no permissions at all.
    QTest::newRow("abstract name") << "abstract" << int(SingleCopy::Claim::First);
    // No runtime folder, and the private folder under TMPDIR was made by someone else first: the
    // user's own cache folder serves instead.
    QTest::newRow("fallback folder") << "fallback" << int(SingleCopy::Claim::First);
    // A runtime folder others can write is passed over for our own private folder.
    QTest::newRow("open runtime folder") << "runtime" << int(SingleCopy::Claim::First);
}

void SingleCopyTest::squattedNameIsNeverTakenForOurFirstCopy()
{
    if (::geteuid() != 0)
        QSKIP("taking another user's identity needs root");
    QFETCH(QString, where);
    QFETCH(int, expected);
    TestScope scope;
    QTemporaryDir temporary;
    QVERIFY(::chmod(temporary.path().toLocal8Bit().constData(), 01777) == 0);
    const std::string name = SingleCopy::serverName().toStdString(); // before the folders move
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR"), oldTemp = qgetenv("TMPDIR");
    const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", temporary.filePath(QStringLiteral("cache")).toLocal8Bit());
    const QString open = temporary.filePath(QStringLiteral("open"));
    qputenv("TMPDIR", temporary.path().toLocal8Bit());
    if (where == QLatin1String("runtime"))
        qputenv("XDG_RUNTIME_DIR", open.toLocal8Bit());
    else
        qunsetenv("XDG_RUNTIME_DIR");
    const std::string folder =
        where == QLatin1String("runtime")
            ? open.toStdString()
            : temporary.path().toStdString() + "/ravo2-" + std::to_string(::geteuid());

    int ready[2], release[2];
    QVERIFY(::pipe(ready) == 0 && ::pipe(release) == 0);
    const pid_t squatter = squatAsAnotherUser(where, name, folder, ready, release);
    char answer = 0;
    QCOMPARE(::read(ready[0], &answer, 1), ssize_t(1));
    int claimed = -1;
    {
        SingleCopy ours;
        claimed = int(ours.claim());
    }
    ::close(release[1]);
    ::waitpid(squatter, nullptr, 0);
    for (int fd : {ready[0], ready[1], release[0]})
        ::close(fd);
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    if (oldCache.isNull())
        qunsetenv("XDG_CACHE_HOME");
    else
        qputenv("XDG_CACHE_HOME", oldCache);
    if (oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
    QCOMPARE(answer, '1');
    QCOMPARE(claimed, expected);
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
