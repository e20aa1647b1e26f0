// The system's player on Windows: a cue starts without waiting, the
// program's end waits for it no longer than its length, and a file that is
// no sound is silence.
#include "core/sound/SystemSoundPlayer.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A mono 16-bit PCM WAV file of silence.
QByteArray wav(int rate, int milliseconds)
{
    const quint32 data = quint32(rate / 1000 * milliseconds * 2);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + data);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << data;
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
