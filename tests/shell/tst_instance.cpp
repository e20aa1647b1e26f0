#include "core/channel/ChannelTransport.h"
#include "core/channel/InstanceChannel.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <atomic>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

const QString kCaption = QStringLiteral("Toranská věž 2000");

// The running copy answers from its own event loop, so it lives in a thread
// of its own while the test asks as a second copy would: from its
// construction, once it listens, to its end or stop().
class AnsweringCopy final : public QThread
{
public:
    AnsweringCopy(QString base, QString className = "THlavniDialog", QString caption = kCaption)
        : m_base(std::move(base)), m_class(std::move(className)), m_caption(std::move(caption))
    {
        start();
        ready.acquire();
    }
    ~AnsweringCopy() override { stop(); }
    void stop()
    {
        quit();
        wait();
    }

    void setCaption(const QString &caption)
    {
        QMutexLocker lock(&m_mutex);
        m_caption = caption;
    }
    QSemaphore ready;

protected:
    void run() override
    {
        InstanceServer server([this] {
            QMutexLocker lock(&m_mutex);
            return InstanceServer::WindowInfo{m_class, m_caption};
        }, nullptr, m_base);
        m_listening = server.isListening();
        ready.release();
        exec();
    }

public:
    bool m_listening = false;

private:
    QString m_base, m_class, m_caption;
    QMutex m_mutex;
};

// Something at a slot that is no copy of the program: it accepts every
// connection and then says nothing, or sends bytes without end (up to a cap,
// so that a test of a client that reads on and on still ends).
class FakePeer : public QThread
{
public:
    enum Kind { Silent, Flooding };
    static constexpr qint64 kFloodCap = 64 << 20;

    FakePeer(QString name, Kind kind) : m_name(std::move(name)), m_kind(kind) {}
    ~FakePeer() override
    {
        quit();
        wait();
    }

    QSemaphore ready;
    bool listening = false;
    std::atomic<qint64> taken{0};   // bytes the other ends took from it

protected:
    void run() override
    {
        QLocalServer server;
        listening = server.listen(m_name);
        const QByteArray chunk(64 << 10, 'x');
        qint64 queued = 0;
        QObject::connect(&server, &QLocalServer::newConnection, [&] {
            while (QLocalSocket *socket = server.nextPendingConnection()) {
                if (m_kind == Silent)
                    continue;
                const auto refill = [&queued, &chunk, socket] {
                    while (socket->state() == QLocalSocket::ConnectedState && socket->bytesToWrite() < chunk.size()
                           && queued < kFloodCap)
                        queued += socket->write(chunk);
                };
                QObject::connect(socket, &QLocalSocket::bytesWritten, socket, [this, refill](qint64 bytes) {
                    taken += bytes;
                    refill();
                });
                refill();
            }
        });
        ready.release();
        if (listening)
            exec();
    }

private:
    QString m_name;
    Kind m_kind;
};
Q_DECLARE_METATYPE(FakePeer::Kind)

// Every test runs on every transport: the platform's and Qt's local sockets.
class InstanceTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void noCopyRunningIsNoHit();
    void sameClassAndCaptionIsAHit_data();
    void sameClassAndCaptionIsAHit();
    void aCaptionChangedWhileRunningIsSeenAtOnce();
    void twoCopiesBothAnswer();
    void aPeerThatStallsOrFloodsCannotHoldUpTheQuestion_data();
    void aPeerThatStallsOrFloodsCannotHoldUpTheQuestion();
    void aPeerOfAnotherUserIsNotBelieved_data();
    void aPeerOfAnotherUserIsNotBelieved();
    void copiesOnTwoDisplaysAskTwoChannels_data();
    void copiesOnTwoDisplaysAskTwoChannels();
    void aNameTooLongForASocketGivesNoChannel_data();
    void aNameTooLongForASocketGivesNoChannel();
    void askersThatNeitherReadNorHangUpHoldUpNoLaterAnswer();
    void aRuntimeFolderOfAnotherUserLeavesTheChannelInThePlayersCache();

private:
    QString base() const { return m_dir.filePath(QStringLiteral("copy-%1").arg(m_serial)); }
    QTemporaryDir m_dir;
    int m_serial = 0;
};

void InstanceTest::initTestCase_data()
{
    QTest::addColumn<QString>("transport");
#ifdef Q_OS_UNIX
    QTest::newRow("posix") << QStringLiteral("posix");
#endif
    QTest::newRow("qt") << QStringLiteral("qt");
}

void InstanceTest::init()
{
    QFETCH_GLOBAL(QString, transport);
#ifdef Q_OS_UNIX
    if (transport == QLatin1String("posix"))
        ChannelTransport::setForTesting(&ChannelTransport::posixSockets());
#endif
    if (transport == QLatin1String("qt"))
        ChannelTransport::setForTesting(&ChannelTransport::qtLocalSockets());
}

void InstanceTest::cleanup() { ChannelTransport::setForTesting(nullptr); }

void InstanceTest::noCopyRunningIsNoHit()
{
    ++m_serial;
    QVERIFY(!findRunningCopy("THlavniDialog", kCaption, base()));
}

void InstanceTest::sameClassAndCaptionIsAHit_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hit");
    QTest::newRow("running copy") << "THlavniDialog" << kCaption << true;
    QTest::newRow("boss screen caption") << "THlavniDialog" << QStringLiteral("Plnění plánu v letošním roce") << false;
    QTest::newRow("other window class") << "TPomocnikDialog" << kCaption << false;
    QTest::newRow("caption without accents") << "THlavniDialog" << QStringLiteral("Toranska vez 2000") << false;
}

void InstanceTest::sameClassAndCaptionIsAHit()
{
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(bool, hit);
    ++m_serial;
    AnsweringCopy copy(base(), className, caption);
    QVERIFY(copy.m_listening);
    QCOMPARE(findRunningCopy("THlavniDialog", kCaption, base()), hit);
}

void InstanceTest::aCaptionChangedWhileRunningIsSeenAtOnce()
{
    ++m_serial;
    AnsweringCopy copy(base());
    QVERIFY(findRunningCopy("THlavniDialog", kCaption, base()));
    copy.setCaption(QStringLiteral("Plnění plánu v letošním roce"));
    QVERIFY(!findRunningCopy("THlavniDialog", kCaption, base()));
    copy.setCaption(kCaption);
    QVERIFY(findRunningCopy("THlavniDialog", kCaption, base()));
}

// A copy started under the boss screen runs too; either may be the one found.
void InstanceTest::twoCopiesBothAnswer()
{
    ++m_serial;
    AnsweringCopy hidden(base(), "THlavniDialog", QStringLiteral("Plnění plánu v letošním roce"));
    AnsweringCopy second(base());
    QVERIFY(hidden.m_listening && second.m_listening);
    QVERIFY(findRunningCopy("THlavniDialog", kCaption, base()));
    second.stop();
    QVERIFY(!findRunningCopy("THlavniDialog", kCaption, base()));
    // The second copy did not take the first one's place: back from the
    // boss screen, the first is found again.
    hidden.setCaption(kCaption);
    QVERIFY(findRunningCopy("THlavniDialog", kCaption, base()));
}

// A peer at the first slot that never answers, or answers without end, lets
// the question end within its deadline, having taken a bounded number of
// bytes; a running copy at the next slot is still found.
void InstanceTest::aPeerThatStallsOrFloodsCannotHoldUpTheQuestion_data()
{
    QTest::addColumn<FakePeer::Kind>("kind");
    QTest::addColumn<bool>("copyBeside");
    QTest::newRow("silent peer") << FakePeer::Silent << false;
    QTest::newRow("flooding peer") << FakePeer::Flooding << false;
    QTest::newRow("silent peer beside a running copy") << FakePeer::Silent << true;
    QTest::newRow("flooding peer beside a running copy") << FakePeer::Flooding << true;
}

void InstanceTest::aPeerThatStallsOrFloodsCannotHoldUpTheQuestion()
{
    QFETCH(FakePeer::Kind, kind);
    QFETCH(bool, copyBeside);
    ++m_serial;
    FakePeer fake(base() + "-0", kind);
    fake.start();
    fake.ready.acquire();
    QVERIFY(fake.listening);
    std::unique_ptr<AnsweringCopy> copy;
    if (copyBeside) {
        copy = std::make_unique<AnsweringCopy>(base());
        QVERIFY(copy->m_listening);
    }
    QElapsedTimer clock;
    clock.start();
    const bool found = findRunningCopy("THlavniDialog", kCaption, base());
    const qint64 took = clock.elapsed();
    QCOMPARE(found, copyBeside);
    QVERIFY2(took < InstanceServer::kExchangeTimeoutMs + 700, qPrintable(QStringLiteral("%1 ms").arg(took)));
    // The socket buffers of both ends hold a few hundred KiB at most.
    QVERIFY2(fake.taken < (4 << 20), qPrintable(QStringLiteral("%1 bytes").arg(fake.taken.load())));
}

// A socket of another user's process in a folder that the player can reach
// is not a running copy, however right its answer; the same peer as this
// user is one.
void InstanceTest::aPeerOfAnotherUserIsNotBelieved_data()
{
    QTest::addColumn<bool>("otherUser");
    QTest::newRow("this user") << false;
    QTest::newRow("another user") << true;
}

void InstanceTest::aPeerOfAnotherUserIsNotBelieved()
{
    QFETCH(bool, otherUser);
    QFETCH_GLOBAL(QString, transport);
    const SecondUser user;
    if (otherUser && !user.reason.isEmpty())
        QSKIP(qPrintable(user.reason));
    QTemporaryDir shared;
    QVERIFY(!otherUser || user.share(shared.path()));
    const QString base = shared.filePath(QStringLiteral("copy"));
    QStringList args{base, "THlavniDialog", kCaption};
    if (transport == QLatin1String("qt"))
        args.prepend(QStringLiteral("--qt"));
    QProcess peer;
    if (otherUser) {
        const QString program = user.copyProgram(helperProgram(QStringLiteral(INSTANCE_PEER_NAME)));
        QVERIFY(!program.isEmpty());
        peer.start(user.command(), user.arguments(QStringList{program} + args));
    } else {
        peer.start(helperProgram(QStringLiteral(INSTANCE_PEER_NAME)), args);
    }
    QVERIFY(peer.waitForStarted());
    while (!peer.canReadLine())
        QVERIFY(peer.waitForReadyRead(10000));
    QCOMPARE(peer.readLine().trimmed(), QByteArray("listening"));
    QCOMPARE(findRunningCopy("THlavniDialog", kCaption, base), !otherUser);
    peer.kill();
    peer.waitForFinished();
}

// Copies of one user on two X displays do not see each other; one display,
// however its name is written, is one channel, in the user's runtime folder.
void InstanceTest::copiesOnTwoDisplaysAskTwoChannels_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<bool>("same");
    QTest::newRow("two displays") << QByteArray(":1") << QByteArray(":2") << false;
    QTest::newRow("two screens of one display") << QByteArray(":1") << QByteArray(":1.1") << true;
    QTest::newRow("one display written two ways") << QByteArray("unix:3") << QByteArray(":3.0") << true;
    QTest::newRow("one remote display written two ways") << QByteArray("host:1") << QByteArray("host:1.0") << true;
    QTest::newRow("a remote display and the local one") << QByteArray("host:1") << QByteArray(":1") << false;
}

void InstanceTest::copiesOnTwoDisplaysAskTwoChannels()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(bool, same);
    const QByteArray saved = qgetenv("DISPLAY");
    const auto restore = qScopeGuard([&] { qputenv("DISPLAY", saved); });
    qputenv("DISPLAY", first);
    const QString a = InstanceServer::defaultBaseName();
    qputenv("DISPLAY", second);
    const QString b = InstanceServer::defaultBaseName();
    QCOMPARE(a == b, same);
#ifdef Q_OS_UNIX   // Windows' pipes have no folder
    // In a folder of the player's own that no other user can reach.
    struct stat folder;
    QVERIFY2(::lstat(QFile::encodeName(QFileInfo(a).path()).constData(), &folder) == 0 && S_ISDIR(folder.st_mode)
                 && folder.st_uid == ::geteuid() && (folder.st_mode & 077) == 0,
             qPrintable(a));
#endif
}

// A socket's address has a fixed room for its path: a name that does not fit
// gives no channel at all, never one at a shortened path (another file).
void InstanceTest::aNameTooLongForASocketGivesNoChannel_data()
{
    QTest::addColumn<int>("over");   // bytes past the longest slot path that fits
    QTest::newRow("longest that fits") << 0;
    QTest::newRow("one byte too long") << 1;
    QTest::newRow("far too long") << 300;
}

void InstanceTest::aNameTooLongForASocketGivesNoChannel()
{
#ifdef Q_OS_UNIX
    QFETCH(int, over);
    QFETCH_GLOBAL(QString, transport);
    ++m_serial;
    // And the closing zero; Qt's local sockets keep one byte more, for the
    // leading zero of a name in Linux's abstract namespace.
    const int room = int(sizeof(sockaddr_un::sun_path)) - (transport == QLatin1String("qt") ? 2 : 1);
    const QString stem = base() + QLatin1Char('-');
    const int slotSuffix = 2;                                   // "-0"
    const QString longBase = stem + QString(room + over - slotSuffix - int(QFile::encodeName(stem).size()), 'x');
    QCOMPARE(QFile::encodeName(longBase + "-0").size(), room + over);
    const auto madeHere = [&] {
        return QDir(m_dir.path()).entryList({QFileInfo(stem).fileName() + '*'},
                                            QDir::AllEntries | QDir::System | QDir::Hidden);
    };
    {
        AnsweringCopy copy(longBase);
        QCOMPARE(copy.m_listening, over == 0);
        QCOMPARE(findRunningCopy("THlavniDialog", kCaption, longBase), over == 0);
        QCOMPARE(madeHere().size(), over == 0 ? 1 : 0);
    }
    QCOMPARE(madeHere(), QStringList());   // and a copy's socket goes with it
#else
    QSKIP("a pipe's name has no such room");
#endif
}

// Askers that connect and then neither read nor hang up, while the answer
// is too long for the socket to take at once, keep the copy's channel busy
// for a short while at most: a question after them is answered.
void InstanceTest::askersThatNeitherReadNorHangUpHoldUpNoLaterAnswer()
{
#ifdef Q_OS_UNIX
    ++m_serial;
    AnsweringCopy copy(base(), "THlavniDialog", QString(4 << 20, 'x'));
    QVERIFY(copy.m_listening);
    const QByteArray path = QFile::encodeName(base() + "-0");
    std::vector<int> idle;
    const auto closeIdle = qScopeGuard([&] {
        for (int fd : idle)
            ::close(fd);
    });
    for (int i = 0; i < 3; ++i) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        idle.push_back(fd);
        QCOMPARE(::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    }
    // The channel is sending to the first of them.
    QTRY_VERIFY(([&] {
        pollfd first{idle.front(), POLLIN, 0};
        return ::poll(&first, 1, 0) == 1;
    }()));
    copy.setCaption(kCaption);
    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(findRunningCopy("THlavniDialog", kCaption, base()), 3000);
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
#else
    QSKIP("the idle askers are POSIX sockets");
#endif
}

// Another user may make the runtime folder first (the one named, or the
// fallback in /tmp): the copies then meet in the player's cache folder.
void InstanceTest::aRuntimeFolderOfAnotherUserLeavesTheChannelInThePlayersCache()
{
#ifdef Q_OS_UNIX
    ++m_serial;
    QTemporaryDir scratch;
    const QString foreign = scratch.filePath("run");
    QVERIFY(QDir().mkdir(foreign));
    const passwd *nobody = ::getpwnam("nobody");
    QVERIFY(::chmod(QFile::encodeName(foreign).constData(), 0700) == 0);
    if (::geteuid() != 0 || !nobody || ::chown(QFile::encodeName(foreign).constData(), nobody->pw_uid, 0) != 0)
        QVERIFY(::chmod(QFile::encodeName(foreign).constData(), 0777) == 0);   // a folder open to all is no one's own
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), cache = qgetenv("XDG_CACHE_HOME"), home = qgetenv("HOME");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(foreign));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(scratch.filePath("cache")));
    const QString base = InstanceServer::defaultBaseName();
    // A relative home names no folder: the user database's home serves,
    // never a folder below wherever the program stands.
    qputenv("XDG_CACHE_HOME", "relcache");
    qputenv("HOME", "relhome");
    const QString fromDatabase = InstanceServer::defaultBaseName();
    for (const auto &[name, value] : {std::pair{"XDG_RUNTIME_DIR", runtime}, {"XDG_CACHE_HOME", cache}, {"HOME", home}})
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    QVERIFY2(base.startsWith(scratch.filePath("cache/")), qPrintable(base));
    QVERIFY2(fromDatabase.isEmpty() || (QDir::isAbsolutePath(fromDatabase) && !fromDatabase.contains("rel")),
             qPrintable(fromDatabase));
    AnsweringCopy copy(base);
    QVERIFY(findRunningCopy("THlavniDialog", kCaption, base));
#else
    QSKIP("named pipes have no runtime folder");
#endif
}

TORAN_TEST_GUILESS_MAIN(InstanceTest)
#include "tst_instance.moc"
