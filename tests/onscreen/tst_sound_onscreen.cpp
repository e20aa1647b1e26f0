// One move of a game played with the mouse on a real X server, heard through
// the program's sound player on a private PulseAudio server: the lift, the
// start of the drop and the landing are three sounds of their own, each
// heard nearly to its end although the animations hold the GUI thread.
#include "core/board/BoardRules.h"
#include "board/Plocha.h"
#include "core/drawing/Fonts.h"
#include "core/sound/OpenAlSoundPlayer.h"
#include "services/Pacing.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/SoundServer.h"
#include "support/TestSupport.h"
#include "widgets/Shape.h"
#include "support/TestMain.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

namespace {
const QString kInstalledSounds = QStringLiteral(TORAN_SOUND_DIR);

// A generous bound for waits on the recording and on the programs: they end
// as soon as what they wait for is there, and a loaded machine needs it.
constexpr int kHeardWithinMs = 20000;

QString heardText(const QVector<Burst> &bursts)
{
    QStringList parts;
    for (const Burst &b : bursts)
        parts << QStringLiteral("%1 ms at %2 ms").arg(b.ms(), 0, 'f', 1).arg(b.beginMs(), 0, 'f', 1);
    return QStringLiteral("heard: ") + parts.join(QStringLiteral(", "));
}
} // namespace

class SoundOnScreenTest : public QObject
{
    Q_OBJECT
private slots:
    void oneMoveSoundsItsLiftPlacingAndLanding();
    void aSecondCopyEndsOnceItsGoodbyeIsHeard_data();
    void aSecondCopyEndsOnceItsGoodbyeIsHeard();
};

void SoundOnScreenTest::oneMoveSoundsItsLiftPlacingAndLanding()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    SoundServer server;
    const QString reason = server.start();
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(server.startRecording(), "parec gives no steady recording of the sink");

    Fonts::installSubstitutes();
    Pacing::setEnabled(true);   // the animations at their real pace
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    for (const QString &name : QDir(kInstalledSounds).entryList({"*.wav"}))
        dir.writeFile("Zvuky/" + name, readFile(kInstalledSounds + QLatin1Char('/') + name));
    OpenAlSoundPlayer player;
    setSoundPlayer(&player);
    player.start();
    QVERIFY(player.waitForDevice(5000));

    auto windows = Startup::createWindows([](int) {});
    THlavniDialog *main = windows->HlavniDialog.get();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->startGame(3);
    BoardPanel *board = main->plocha();
    QVERIFY(QTest::qWaitForWindowExposed(board));

    // The smallest disk from post 1 to post 3: both clicks at once, the
    // second one handled after the lift.
    Shape *disk = board->disk(1);
    const QPoint from = disk->mapToGlobal(disk->rect().center());
    const QPoint to = board->pole(3)->mapToGlobal(QPoint(3, 8));
    const qint64 start = server.position();
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                               {"mousemove", QString::number(from.x()), QString::number(from.y()), "click", "1",
                                "mousemove", QString::number(to.x()), QString::number(to.y()), "click", "1"}),
             0);
    const int landing = Board::landingTop(board->disks(), board->baseLeft(3), 1);
    QTRY_VERIFY_WITH_TIMEOUT(disk->x() == Board::slotLeft(board->baseLeft(3), 1) && disk->y() == landing,
                             kHeardWithinMs);
    QTRY_VERIFY_WITH_TIMEOUT(server.heardToTheEnd(start, 3), kHeardWithinMs);

    const QVector<qint16> samples = server.samplesFrom(start);
    const QVector<Burst> bursts = burstsIn(samples);
    qInfo("%s", qPrintable(heardText(bursts)));
    QVERIFY2(bursts.size() == 3, qPrintable(heardText(bursts)));
    const char *const cues[] = {"Zvednuti.wav", "Polozeni.wav", "Dopad.wav"};
    for (int i = 0; i < 3; ++i) {
        const double length = wavLengthMs(kInstalledSounds + QLatin1Char('/') + QLatin1String(cues[i]));
        QVERIFY2(bursts[i].ms() >= 0.9 * length, qPrintable(QLatin1String(cues[i]) + QLatin1Char(' ') + heardText(bursts)));
    }
    // Which is which, by their tunes: the lift rises, the drop's start falls,
    // the landing is a low knock.
    QVERIFY(pitchHz(samples, bursts[0], 1) < pitchHz(samples, bursts[0], 2));
    QVERIFY(pitchHz(samples, bursts[1], 1) > pitchHz(samples, bursts[1], 2));
    QVERIFY(pitchHz(samples, bursts[2]) < 300);

    windows.reset();
    setSoundPlayer(nullptr);
}

void SoundOnScreenTest::aSecondCopyEndsOnceItsGoodbyeIsHeard_data()
{
    QTest::addColumn<bool>("goodbye");   // PomocnikKonec.wav is there
    QTest::newRow("with its sound") << true;
    QTest::newRow("without it") << false;
}

// Enter in a second copy's notice closes its assistant: the copy ends once
// the goodbye has been heard in full, and at once where there is none.
void SoundOnScreenTest::aSecondCopyEndsOnceItsGoodbyeIsHeard()
{
    QFETCH(bool, goodbye);
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    SoundServer server;
    const QString reason = server.start();
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(server.startRecording(), "parec gives no steady recording of the sink");
    // Both copies from one folder, the first one silent (no assistant).
    QTemporaryDir app;
    const QString exe = app.filePath(QStringLiteral("Toran2000"));
    QVERIFY(QFile::copy(QStringLiteral(TORAN2000_EXE), exe));
    // With OpenAL's settings beside it, as installed.
    QVERIFY(QFile::copy(QFileInfo(QStringLiteral(TORAN2000_EXE)).dir().filePath("alsoft.conf"),
                        app.filePath(QStringLiteral("alsoft.conf"))));
    QVERIFY(QDir(app.path()).mkdir(QStringLiteral("Zvuky")));
    for (const QString &name : QDir(kInstalledSounds).entryList({"*.wav"}))
        if (goodbye || name != QLatin1String("PomocnikKonec.wav"))
            QVERIFY(QFile::copy(kInstalledSounds + QLatin1Char('/') + name, app.filePath("Zvuky/" + name)));
    QVERIFY(writeFile(app.filePath(QStringLiteral("KQ2000.ini")), "[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n"));
    QProcess first, second;
    first.start(exe, {});
    QVERIFY(!outputOf("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Toranská věž 2000$"}, kHeardWithinMs)
                 .isEmpty());
    const qint64 beforeStart = server.position();
    second.start(exe, {});
    QVERIFY(!outputOf("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Pomocník$"}, kHeardWithinMs)
                 .isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(server.heardToTheEnd(beforeStart), kHeardWithinMs);

    const qint64 atEnter = server.position();
    QElapsedTimer sinceEnter;
    sinceEnter.start();
    outputOf("xdotool", {"key", "Return"});
    QVERIFY(second.waitForFinished(kHeardWithinMs));
    const qint64 took = sinceEnter.elapsed();
    // Whatever the copy played until its end is in the recording.
    QTRY_VERIFY_WITH_TIMEOUT(server.samplesFrom(atEnter).size() >= (took + 300) * SoundServer::kRate / 1000,
                             kHeardWithinMs);
    first.kill();
    first.waitForFinished();

    const QVector<Burst> bursts = burstsIn(server.samplesFrom(atEnter));
    const double length = wavLengthMs(kInstalledSounds + QStringLiteral("/PomocnikKonec.wav"));
    qInfo("ended %lld ms after Enter; %s", took, qPrintable(heardText(bursts)));
    QCOMPARE(bursts.size(), goodbye ? 1 : 0);
    if (goodbye)
        QVERIFY2(bursts[0].ms() >= 0.9 * length, qPrintable(heardText(bursts)));
    QVERIFY2(took < (goodbye ? length : 0) + 300, qPrintable(QStringLiteral("ended %1 ms after Enter").arg(took)));
}

TORAN_TEST_MAIN(SoundOnScreenTest)
#include "tst_sound_onscreen.moc"
