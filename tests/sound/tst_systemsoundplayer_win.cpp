// The system's player on Windows: a cue starts without waiting, the
// program's end waits for it no longer than its length, and a file that is
// no sound is silence.
#include "core/sound/SystemSoundPlayer.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {
// A mono 16-bit WAV file of silence.
QByteArray wav(int rate, int milliseconds)
{
    const quint32 data = quint32(rate / 1000 * milliseconds * 2);
    QByteArray bytes = "RIFF" + QByteArray(4, 0) + "WAVEfmt " + QByteArray(20, 0) + "data" + QByteArray(4, 0);
    const auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, bytes.data() + at); };
    const auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, bytes.data() + at); };
    put32(4, 36 + data);
    put32(16, 16);
    put16(20, 1);   // PCM
    put16(22, 1);
    put32(24, quint32(rate));
    put32(28, quint32(rate * 2));
    put16(32, 2);
    put16(34, 16);
    put32(40, data);
    return bytes + QByteArray(int(data), 0);
}
} // namespace

class SystemSoundPlayerTest : public QObject
{
    Q_OBJECT
private slots:
    void theEndWaitsForACueByItsLengthAtMost_data();
    void theEndWaitsForACueByItsLengthAtMost();
};

void SystemSoundPlayerTest::theEndWaitsForACueByItsLengthAtMost_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("atLeastMs");
    QTest::addColumn<int>("atMostMs");
    QTest::newRow("a cue of 600 ms") << wav(22050, 600) << 500 << 1500;
    QTest::newRow("no sound at all") << QByteArray("RIFF, but nothing else") << 0 << 200;
}

void SystemSoundPlayerTest::theEndWaitsForACueByItsLengthAtMost()
{
    QFETCH(QByteArray, file);
    QFETCH(int, atLeastMs);
    QFETCH(int, atMostMs);
    QTemporaryDir dir;
    const QString cue = dir.filePath("Dopad.wav");
    QVERIFY(writeFile(cue, file));
    const auto player = createSystemSoundPlayer();
    QElapsedTimer clock;
    clock.start();
    player->play(cue);
    QVERIFY2(clock.elapsed() < 200, "play waited for the cue");
    player->waitUntilHeard(5000);
    QVERIFY2(clock.elapsed() >= atLeastMs && clock.elapsed() <= atMostMs, qPrintable(QString::number(clock.elapsed())));
}

TORAN_TEST_APPLESS_MAIN(SystemSoundPlayerTest)
#include "tst_systemsoundplayer_win.moc"
