// The program's sound player on a private PulseAudio server, heard through a
// recording of the server's sink: what the player hears, when, and that a
// cue never holds up the handler that asked for it.
#include "core/sound/OpenAlSoundPlayer.h"
#include "core/sound/SoundCue.h"
#include "support/SoundServer.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <thread>

namespace {
const QString kInstalledSounds = QStringLiteral(TORAN_SOUND_DIR);

QByteArray installedCue(const QString &name) { return readFile(kInstalledSounds + QLatin1Char('/') + name); }

// Waits on the recording are bounded generously: they end as soon as the
// cue is heard, and a loaded machine needs the bound. Nothing heard within
// kSilenceMs is silence: a cue starts within 40 ms (a test below checks it),
// and one that waited 300 ms is dropped.
constexpr int kHeardWithinMs = 20000;
constexpr int kSilenceMs = 300;
// One cue is one sound even with a gap shorter than this in it: on a busy
// machine the sound server may run dry for a few hundredths of a second, a
// crackle to the player, not a cue cut short (its length still says that).
constexpr int kOneCueGapMs = 40;
// A cue returns to its caller at once: well below the tenths of a second
// that loading OpenAL or opening a device take, above the few hundredths a
// loaded machine may hold any thread.
constexpr int kCallerMs = 50;

double lengthOf(const QString &name) { return wavLengthMs(kInstalledSounds + QLatin1Char('/') + name); }

// The threads of this process and whether a library is mapped into it.
int threadCount() { return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(); }
bool isMapped(const char *library)
{
    return readFile(QStringLiteral("/proc/self/maps")).contains(library);
}

QString describe(const QVector<Burst> &bursts)
{
    QStringList parts;
    for (const Burst &b : bursts)
        parts << QStringLiteral("%1 ms at %2 ms").arg(b.ms(), 0, 'f', 1).arg(b.beginMs(), 0, 'f', 1);
    return QStringLiteral("heard: ") + (parts.isEmpty() ? QStringLiteral("nothing") : parts.join(QStringLiteral(", ")));
}
} // namespace

class SoundPlayerTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyInstalledCueIsHeardNearlyToItsEnd_data();
    void everyInstalledCueIsHeardNearlyToItsEnd();
    void aCueStartsOnTimeAndPlaysToItsEndWhileItsCallerIsBlocked_data();
    void aCueStartsOnTimeAndPlaysToItsEndWhileItsCallerIsBlocked();
    void aNewCueCutsOffTheOneStillPlaying();
    void aCueFileIsReadAgainOnceItChanges_data();
    void aCueFileIsReadAgainOnceItChanges();
    void withoutASoundServerCuesAreSilentAndNeverHoldTheCaller_data();
    void withoutASoundServerCuesAreSilentAndNeverHoldTheCaller();
    void aServerThatHangsHoldsUpNeitherCuesNorTheEnd();

private:
    // Plays name through the cue service and returns what the recording
    // heard from that moment: the cue to its end, or kSilenceMs of nothing.
    QVector<Burst> heardAfterCue(const QString &name, QVector<qint16> *samples = nullptr);
    void startPlayer();
    void endPlayer();

    std::unique_ptr<SoundServer> m_server;
    std::unique_ptr<ScratchAppDir> m_app;
    std::unique_ptr<OpenAlSoundPlayer> m_player;
};

void SoundPlayerTest::initTestCase()
{
    m_server = std::make_unique<SoundServer>();
    const QString reason = m_server->start();
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server->startRecording(), "parec gives no steady recording of the sink");
}

void SoundPlayerTest::init()
{
    m_app = std::make_unique<ScratchAppDir>();
    for (const QString &name : QDir(kInstalledSounds).entryList({"*.wav"}))
        m_app->writeFile(QStringLiteral("Zvuky/") + name, installedCue(name));
    startPlayer();
}

void SoundPlayerTest::cleanup()
{
    endPlayer();
    m_app.reset();
}

void SoundPlayerTest::startPlayer()
{
    m_player = std::make_unique<OpenAlSoundPlayer>();
    setSoundPlayer(m_player.get());
    m_player->start();
}

void SoundPlayerTest::endPlayer()
{
    setSoundPlayer(nullptr);
    m_player.reset();
}

QVector<Burst> SoundPlayerTest::heardAfterCue(const QString &name, QVector<qint16> *samples)
{
    const qint64 from = m_server->positionBefore();
    PlaySoundCue(name);
    // Silence by the recording's time, which a loaded machine may deliver late.
    (void)QTest::qWaitFor([&] {
        const QVector<qint16> since = m_server->samplesFrom(from);
        return m_server->heardToTheEnd(from)
               || (since.size() >= kSilenceMs * SoundServer::kRate / 1000 && burstsIn(since).isEmpty());
    }, kHeardWithinMs);
    const QVector<qint16> heard = m_server->samplesFrom(from);
    if (samples)
        *samples = heard;
    return burstsIn(heard, kOneCueGapMs);
}

void SoundPlayerTest::everyInstalledCueIsHeardNearlyToItsEnd_data()
{
    QTest::addColumn<QString>("name");
    const QStringList cues = QDir(kInstalledSounds).entryList({"*.wav"});
    QVERIFY(cues.size() >= 8);
    for (const QString &name : cues)
        QTest::newRow(qPrintable(name)) << name;
}

// Each cue on its own, from its start to at least 90 % of its length.
void SoundPlayerTest::everyInstalledCueIsHeardNearlyToItsEnd()
{
    QFETCH(QString, name);
    QVERIFY(m_player->waitForDevice(5000));
    const double length = lengthOf(name);
    QVERIFY(length > 0);
    const QVector<Burst> bursts = heardAfterCue(name);
    qInfo("%s", qPrintable(describe(bursts) + QStringLiteral(" of %1 ms").arg(length)));
    QVERIFY2(bursts.size() == 1, qPrintable(describe(bursts)));
    QVERIFY2(bursts[0].ms() >= 0.9 * length && bursts[0].ms() <= length + 20,
             qPrintable(describe(bursts) + QStringLiteral(" of %1 ms").arg(length)));
}

void SoundPlayerTest::aCueStartsOnTimeAndPlaysToItsEndWhileItsCallerIsBlocked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("quietMs");   // without a cue before this one
    QTest::newRow("short cue") << QStringLiteral("Zvednuti.wav") << 0;
    QTest::newRow("cue longer than the block") << QStringLiteral("Dotaz.wav") << 0;
    // An idle device is paused after a few seconds and resumed by a cue.
    QTest::newRow("short cue after a quiet while") << QStringLiteral("Zvednuti.wav") << 4000;
}

// As an animation holds the GUI thread right after its cue: the cue starts
// within 40 ms and plays out, as every cue does, to 90 % at least (a loaded
// sound server drops a few milliseconds; a cue stopped with the block would
// lose far more of the longer one).
void SoundPlayerTest::aCueStartsOnTimeAndPlaysToItsEndWhileItsCallerIsBlocked()
{
    QFETCH(QString, name);
    QFETCH(int, quietMs);
    QVERIFY(m_player->waitForDevice(5000));
    QTest::qWait(quietMs);   // the rule's own time: a device idle this long rests
    const double length = lengthOf(name);
    const qint64 from = m_server->positionBefore();
    PlaySoundCue(name);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));   // the animation
    QTRY_VERIFY_WITH_TIMEOUT(m_server->heardToTheEnd(from), kHeardWithinMs);
    const QVector<Burst> bursts = burstsIn(m_server->samplesFrom(from), kOneCueGapMs);
    qInfo("%s", qPrintable(describe(bursts) + QStringLiteral(" of %1 ms").arg(length)));
    QVERIFY2(bursts.size() == 1, qPrintable(describe(bursts)));
    QVERIFY2(bursts[0].beginMs() <= SoundServer::kLeadMs + 40, qPrintable(describe(bursts)));
    QVERIFY2(bursts[0].ms() >= 0.9 * length, qPrintable(describe(bursts) + QStringLiteral(" of %1 ms").arg(length)));
}

// One source: a cue 30 ms after a longer one stops it and is heard itself
// in full, so the sound lasts about 30 ms plus the second cue.
void SoundPlayerTest::aNewCueCutsOffTheOneStillPlaying()
{
    QVERIFY(m_player->waitForDevice(5000));
    const double first = lengthOf(QStringLiteral("Dotaz.wav"));
    const double second = lengthOf(QStringLiteral("Zvednuti.wav"));
    QVERIFY(first > 300 && second < 100);
    const qint64 from = m_server->positionBefore();
    QElapsedTimer between;   // a loaded machine may sleep the test longer
    between.start();
    PlaySoundCue(QStringLiteral("Dotaz.wav"));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const qint64 gap = between.elapsed();
    PlaySoundCue(QStringLiteral("Zvednuti.wav"));
    QTRY_VERIFY_WITH_TIMEOUT(m_server->heardToTheEnd(from), kHeardWithinMs);
    const QVector<Burst> bursts = burstsIn(m_server->samplesFrom(from), kOneCueGapMs);
    QVERIFY2(bursts.size() == 1, qPrintable(describe(bursts)));
    // Both played (more than the second alone), the first not to its end.
    QVERIFY2(bursts[0].ms() >= 0.9 * second + 15 && bursts[0].ms() <= gap + second + 40,
             qPrintable(describe(bursts) + QStringLiteral(", the second cue %1 ms after the first").arg(gap)));
}

void SoundPlayerTest::aCueFileIsReadAgainOnceItChanges_data()
{
    QTest::addColumn<QByteArray>("before");     // null: no such file yet
    QTest::addColumn<double>("beforeMs");       // 0: silence
    QTest::newRow("appears later") << QByteArray() << 0.0;
    QTest::newRow("rewritten with another length") << installedCue("Zvednuti.wav") << lengthOf("Zvednuti.wav");
    QTest::newRow("rewritten with the same length") << installedCue("PomocnikKonec.wav") << lengthOf("PomocnikKonec.wav");
    QTest::newRow("not a WAV file at first") << QByteArray("RIFF? no, just text\n") << 0.0;
    QTest::newRow("a WAV cut off after its header") << installedCue("Dotaz.wav").left(44) << 0.0;
    if (canPlant("pipe"))   // nobody writes into it: never waited on
        QTest::newRow("a pipe at first") << QByteArray("pipe") << 0.0;
}

// A cue file is decoded once, and again when it changed: at its next cue
// the new contents play (here the rising "PomocnikStart" tune).
void SoundPlayerTest::aCueFileIsReadAgainOnceItChanges()
{
    QFETCH(QByteArray, before);
    QFETCH(double, beforeMs);
    QVERIFY(m_player->waitForDevice(5000));
    const QString name = QStringLiteral("Dopad.wav");
    QFile::remove(m_app->file("Zvuky/" + name));
    if (before == "pipe")
        QVERIFY(plant("pipe", m_app->file("Zvuky/" + name)));
    else if (!before.isNull())
        m_app->writeFile("Zvuky/" + name, before);
    QVector<Burst> bursts = heardAfterCue(name);
    if (beforeMs == 0) {
        QVERIFY2(bursts.isEmpty(), qPrintable(describe(bursts)));
    } else {
        QVERIFY2(bursts.size() == 1 && bursts[0].ms() >= 0.9 * beforeMs && bursts[0].ms() <= beforeMs + 20,
                 qPrintable(describe(bursts)));
    }

    QFile::remove(m_app->file("Zvuky/" + name));
    m_app->writeFile("Zvuky/" + name, installedCue("PomocnikStart.wav"));
    const double afterMs = lengthOf("PomocnikStart.wav");
    QVector<qint16> samples;
    bursts = heardAfterCue(name, &samples);
    QVERIFY2(bursts.size() == 1 && bursts[0].ms() >= 0.9 * afterMs, qPrintable(describe(bursts)));
    QVERIFY(pitchHz(samples, bursts[0], 1) < pitchHz(samples, bursts[0], 2));
}

void SoundPlayerTest::withoutASoundServerCuesAreSilentAndNeverHoldTheCaller_data()
{
    QTest::addColumn<bool>("serverAtFirst");
    QTest::newRow("no server until later") << false;
    QTest::newRow("the server ends while a cue plays, and comes back") << true;
}

// Without a server every cue returns at once, in silence; once a server is
// there again, a cue two seconds on finds it, and cues play whole again.
// The player ends at once, unloading OpenAL and ending every thread it
// started.
void SoundPlayerTest::withoutASoundServerCuesAreSilentAndNeverHoldTheCaller()
{
    QFETCH(bool, serverAtFirst);
    endPlayer();
    const int threadsBefore = threadCount();
    const QByteArray address = qgetenv("PULSE_SERVER");
    if (!serverAtFirst)
        qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(m_app->file("no-server")));
    startPlayer();
    QCOMPARE(m_player->waitForDevice(5000), serverAtFirst);
    if (serverAtFirst) {
        const qint64 from = m_server->position();
        PlaySoundCue(QStringLiteral("Dotaz.wav"));
        QTRY_VERIFY_WITH_TIMEOUT(!burstsIn(m_server->samplesFrom(from)).isEmpty(), kHeardWithinMs);
        m_server->kill();
    }
    QElapsedTimer clock;
    for (const char *cue : {"Zvednuti.wav", "Polozeni.wav", "Dopad.wav", "Dialog.wav", "Zvednuti.wav"}) {
        clock.start();
        PlaySoundCue(QLatin1String(cue));
        QVERIFY2(clock.elapsed() < kCallerMs, cue);
        QTest::qWait(50);   // cues a player's clicks apart, not one burst of them
    }
    QVERIFY(!m_player->waitForDevice(5000));
    QElapsedTimer sinceLastTry;   // the player's last try at the device has ended by now
    sinceLastTry.start();

    if (serverAtFirst) {
        QCOMPARE(m_server->start(), QString());
        QVERIFY(m_server->startRecording());
    } else {
        qputenv("PULSE_SERVER", address);
    }
    (void)QTest::qWaitFor([&] { return sinceLastTry.elapsed() > 2100; });
    // That cue may itself be dropped: a loaded machine can take longer to
    // open the device than a cue may wait. The next one plays whole.
    PlaySoundCue(QStringLiteral("Zvednuti.wav"));
    QTRY_VERIFY_WITH_TIMEOUT(m_player->waitForDevice(0), kHeardWithinMs);
    QTest::qWait(300);
    const QVector<Burst> bursts = heardAfterCue(QStringLiteral("Dialog.wav"));
    QVERIFY2(bursts.size() == 1 && bursts[0].ms() >= 0.9 * lengthOf("Dialog.wav"), qPrintable(describe(bursts)));

    clock.start();
    endPlayer();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!isMapped("libopenal"));
    QTRY_VERIFY(threadCount() <= threadsBefore);
}

// A server that takes the connection and never answers holds OpenAL inside
// opening the device: cues still return at once, and the player's end waits
// only a moment for the sound thread, which finishes once the server goes on.
void SoundPlayerTest::aServerThatHangsHoldsUpNeitherCuesNorTheEnd()
{
    endPlayer();
    m_server->freeze();
    startPlayer();
    QElapsedTimer clock;
    for (const char *cue : {"Zvednuti.wav", "Polozeni.wav", "Dopad.wav"}) {
        clock.start();
        PlaySoundCue(QLatin1String(cue));
        QVERIFY2(clock.elapsed() < kCallerMs, cue);
        QTest::qWait(50);   // cues a player's clicks apart, not one burst of them
    }
    QVERIFY(!m_player->waitForDevice(500));
    clock.start();
    endPlayer();
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    m_server->thaw();
    QTRY_VERIFY_WITH_TIMEOUT(!isMapped("libopenal"), 20000);
}

TORAN_TEST_GUILESS_MAIN(SoundPlayerTest)
#include "tst_soundplayer.moc"
