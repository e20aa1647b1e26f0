#include "core/files/AppPath.h"
#include "core/sound/SoundCue.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QDir>
#include <QtTest>

class SoundCueTest : public QObject
{
    Q_OBJECT
private slots:
    void foundCueIsPlayedByFullPathFromTheSoundFolder();
    void missingFileOrFolderIsSilence();
    void cueInTheCurrentDirectoryWithoutSoundFolderStillPlays();
    void currentDirectoryIsTheApplicationDirectoryAfterwards();
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

TORAN_TEST_GUILESS_MAIN(SoundCueTest)
#include "tst_soundcue.moc"
