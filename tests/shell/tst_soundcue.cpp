#include "core/files/AppPath.h"
#include "core/sound/SoundCue.h"
#include "core/sound/SoundQueue.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QDir>
#include <QtTest>

#include <atomic>
#include <future>

namespace {

// A device that opens when the test lets it, and notes what it played.
struct FakeEngine : SoundEngine {
    std::promise<void> mayOpen;
    std::shared_future<void> opening = mayOpen.get_future().share();
    bool opened = false;
    QStringList played;   // read once the queue has served every cue

    bool open() override
    {
        opening.wait();
        return opened = true;
    }
    bool isOpen() const override { return opened; }
    void close() override { opened = false; }
    void unload() override {}
    bool stillConnected() override { return true; }
    Duration play(const QString &path) override
    {
        played << path;
        return {};
    }
    void rest() override {}
    bool isResting() const override { return false; }
};

} // namespace

class SoundCueTest : public QObject
{
    Q_OBJECT
private slots:
    void foundCueIsPlayedByFullPathFromTheSoundFolder();
    void missingFileOrFolderIsSilence();
    void cueInTheCurrentDirectoryWithoutSoundFolderStillPlays();
    void currentDirectoryIsTheApplicationDirectoryAfterwards();
    void theQueuePlaysTheLatestCueUnlessItWaitedTooLong_data();
    void theQueuePlaysTheLatestCueUnlessItWaitedTooLong();
};

void SoundCueTest::foundCueIsPlayedByFullPathFromTheSoundFolder()
{
    ScratchAppDir dir;
    dir.withSounds();
    RecordingSoundPlayer player;
    QCOMPARE(PlaySoundCue("Zvednuti.wav"), dir.file("Zvuky/Zvednuti.wav"));
    QCOMPARE(player.paths, QStringList{dir.file("Zvuky/Zvednuti.wav")});
}

void SoundCueTest::missingFileOrFolderIsSilence()
{
    ScratchAppDir dir;
    RecordingSoundPlayer player;
    QCOMPARE(PlaySoundCue("Dopad.wav"), QString());   // no Zvuky at all
    dir.writeFile("Zvuky/Jiny.wav", "RIFF");
    QCOMPARE(PlaySoundCue("Dopad.wav"), QString());
    QVERIFY(player.paths.isEmpty());
}

// A cue lying only in the current directory is played from there; a missing
// sound folder is no error.
void SoundCueTest::cueInTheCurrentDirectoryWithoutSoundFolderStillPlays()
{
    ScratchAppDir dir;
    dir.writeFile("Polozeni.wav", "RIFF");
    RecordingSoundPlayer player;
    QCOMPARE(PlaySoundCue("Polozeni.wav"), dir.file("Polozeni.wav"));
    QCOMPARE(player.names, QStringList{"Polozeni.wav"});
}

void SoundCueTest::currentDirectoryIsTheApplicationDirectoryAfterwards()
{
    ScratchAppDir dir;
    dir.withSounds();
    QDir().mkpath(dir.file("jinde"));
    QDir::setCurrent(dir.file("jinde"));
    RecordingSoundPlayer player;
    PlaySoundCue("Dialog.wav");
    QCOMPARE(QDir::current().canonicalPath(), QDir(dir.path()).canonicalPath());
    QCOMPARE(player.names, QStringList{"Dialog.wav"});
}

// Cues posted while the device is being opened: only the latest is played,
// and not at all once it waited longer than the player can relate it to
// what happened. The queue's clock is moved on by the wait.
void SoundCueTest::theQueuePlaysTheLatestCueUnlessItWaitedTooLong_data()
{
    QTest::addColumn<QStringList>("posted");
    QTest::addColumn<int>("waitedMs");
    QTest::addColumn<QStringList>("played");
    QTest::newRow("one cue") << QStringList{"a.wav"} << 0 << QStringList{"a.wav"};
    QTest::newRow("a later cue cuts off the earlier") << QStringList{"a.wav", "b.wav"} << 0 << QStringList{"b.wav"};
    QTest::newRow("a second late") << QStringList{"a.wav", "b.wav"} << 1000 << QStringList();
}

void SoundCueTest::theQueuePlaysTheLatestCueUnlessItWaitedTooLong()
{
    QFETCH(QStringList, posted);
    QFETCH(int, waitedMs);
    QFETCH(QStringList, played);
    std::atomic<int> passedMs{0};
    auto *engine = new FakeEngine;
    SoundQueue queue(std::unique_ptr<SoundEngine>(engine),
                     [&] { return SoundQueue::Clock::now() + std::chrono::milliseconds(passedMs.load()); });
    for (const QString &cue : posted)
        queue.post(cue);
    passedMs = waitedMs;
    engine->mayOpen.set_value();
    QVERIFY(queue.waitForDevice(5000));
    queue.waitUntilHeard(5000);
    QCOMPARE(engine->played, played);
}

TORAN_TEST_GUILESS_MAIN(SoundCueTest)
#include "tst_soundcue.moc"
