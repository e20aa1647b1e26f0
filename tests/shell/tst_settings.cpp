#include "core/errors/AppError.h"
#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QThread>
#include <QtTest>

class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void missingFilesReadAsEmptyAndAnimationDefaultsToOn();
    void valuesAreReadAsExactTexts_data();
    void valuesAreReadAsExactTexts();
    void writesCreateTheFileAndKeepOtherKeys();
    void everyReadSeesTheFileAsItIsNow();
    void whatIsNoSettingsFileReadsAsEmptyAndRefusesTheWrite_data();
    void whatIsNoSettingsFileReadsAsEmptyAndRefusesTheWrite();
    void twoCopiesWritingAtOnceLoseNoChange();
    void aSettingsLockNotHadWithinASecondRefusesTheWrite();
};

void SettingsTest::missingFilesReadAsEmptyAndAnimationDefaultsToOn()
{
    ScratchAppDir dir;
    QCOMPARE(Settings::pomocnik(), QString());
    QCOMPARE(Settings::uvitani(), QString());
    QCOMPARE(Settings::animace(), 1);
    QCOMPARE(Settings::rychlost(), Settings::Speed::Normal);
    QVERIFY(!QFile::exists(dir.file("KQ2000.ini")));   // reading creates nothing
}

// Callers compare with "1" and "0"; anything else, spaces included, is neither.
void SettingsTest::valuesAreReadAsExactTexts_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("pomocnik");
    QTest::addColumn<int>("animace");
    QTest::addColumn<int>("rychlost");   // anything but 1..4 is normal (2)
    QTest::newRow("plain") << QByteArray("[Nastaveni]\r\nPomocnik=1\r\nAnimace=0\r\nRychlost=1\r\n") << "1" << 0 << 1;
    QTest::newRow("other text") << QByteArray("[Nastaveni]\nPomocnik=ano\nAnimace=1\nRychlost=4\n") << "ano" << 1 << 4;
    QTest::newRow("empty value") << QByteArray("[Nastaveni]\nPomocnik=\nAnimace=\nRychlost=\n") << "" << 0 << 2;
    QTest::newRow("other section") << QByteArray("[Jine]\nPomocnik=1\nAnimace=0\nRychlost=3\n") << "" << 1 << 2;
    QTest::newRow("number with junk") << QByteArray("[Nastaveni]\nPomocnik=10\nAnimace=1x\nRychlost=3x\n") << "10" << 1 << 2;
    QTest::newRow("out of range") << QByteArray("[Nastaveni]\nRychlost=5\n") << "" << 1 << 2;
}

void SettingsTest::valuesAreReadAsExactTexts()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, pomocnik);
    QFETCH(int, animace);
    QFETCH(int, rychlost);
    ScratchAppDir dir;
    dir.writeFile("KQ2000.ini", contents);
    dir.writeFile("Toran2000.ini", contents);
    QCOMPARE(Settings::pomocnik(), pomocnik);
    QCOMPARE(Settings::animace(), animace);
    QCOMPARE(int(Settings::rychlost()), rychlost);
}

void SettingsTest::writesCreateTheFileAndKeepOtherKeys()
{
    ScratchAppDir dir;
    Settings::setPomocnik("1");
    Settings::setUvitani("0");
    Settings::setPomocnik("0");
    const QByteArray text = dir.readFile("KQ2000.ini");
    QVERIFY2(text.contains("[Nastaveni]"), text.constData());
    QVERIFY2(text.contains("Pomocnik=0"), text.constData());
    QVERIFY2(text.contains("Uvitani=0"), text.constData());
    QCOMPARE(Settings::pomocnik(), QString("0"));

    Settings::setAnimace(0);
    Settings::setAnimace(1);
    QVERIFY(dir.readFile("Toran2000.ini").contains("Animace=1"));
    QCOMPARE(Settings::animace(), 1);
}

void SettingsTest::everyReadSeesTheFileAsItIsNow()
{
    ScratchAppDir dir;
    Settings::setPomocnik("1");
    dir.writeFile("KQ2000.ini", "[Nastaveni]\nPomocnik=0\n");   // another copy wrote it
    QCOMPARE(Settings::pomocnik(), QString("0"));
}

// Only a regular file of a settings file's size is read or written: a
// link (even to nowhere) is neither followed nor written through, a pipe
// blocks nothing, and what stands there is kept. A refused write says which
// file.
void SettingsTest::whatIsNoSettingsFileReadsAsEmptyAndRefusesTheWrite_data()
{
    QTest::addColumn<QString>("standing");
    QTest::addColumn<QByteArray>("elsewhere");   // what a link points to; null: nothing
    QTest::newRow("folder") << "folder" << QByteArray();
    QTest::newRow("link to a settings file elsewhere") << "link" << QByteArray("[Nastaveni]\r\nPomocnik=1\r\n");
    QTest::newRow("link to nowhere") << "link" << QByteArray();
    QTest::newRow("pipe") << "pipe" << QByteArray();
    QTest::newRow("over 64 KiB") << "large" << QByteArray();
}

void SettingsTest::whatIsNoSettingsFileReadsAsEmptyAndRefusesTheWrite()
{
    QFETCH(QString, standing);
    QFETCH(QByteArray, elsewhere);
    if (!canPlant(standing))
        QSKIP("no symbolic link or named pipe here");
    ScratchAppDir dir;
    QTemporaryDir other;
    const QString path = dir.file("KQ2000.ini"), target = other.filePath("KQ2000.ini");
    if (!elsewhere.isNull())
        QVERIFY(writeFile(target, elsewhere));
    if (standing == "large")
        dir.writeFile("KQ2000.ini", "[Nastaveni]\r\nPomocnik=1\r\n" + QByteArray(64 * 1024, '\n'));
    else
        QVERIFY(plant(standing, path, target));
    QCOMPARE(Settings::pomocnik(), QString());
    QCOMPARE(errorOf([] { Settings::setPomocnik("0"); }), QStringLiteral("Unable to write to %1").arg(path));
    QCOMPARE(readFile(target), elsewhere);
}

// Two copies write keys of their own into one file at the same moments:
// every key that either of them wrote without an error is in the file
// afterwards. (A write that waited in vain for the lock is refused with an
// error, which is no silent loss; in so close a race a few may be.)
void SettingsTest::twoCopiesWritingAtOnceLoseNoChange()
{
    ScratchAppDir dir;
    constexpr int kWrites = 120;
    const IniFile file(dir.file("KQ2000.ini"));
    QSemaphore start;
    QStringList written[2];
    const auto writer = [&](int copy) {
        return QThread::create([&, copy] {
            start.acquire();
            for (int i = 0; i < kWrites; ++i) {
                const QString key = QStringLiteral("K%1_%2").arg(copy).arg(i);
                if (errorOf([&] { file.write(Settings::kSection, key, "1"); }).isEmpty())
                    written[copy] << key;
            }
        });
    };
    std::unique_ptr<QThread> a(writer(0)), b(writer(1));
    a->start();
    b->start();
    start.release(2);
    QVERIFY(a->wait(60000) && b->wait(60000));
    QVERIFY(written[0].size() + written[1].size() > kWrites);
    QStringList lost;
    for (const QStringList &keys : written)
        for (const QString &key : keys)
            if (file.read(Settings::kSection, key) != "1")
                lost << key;
    QVERIFY2(lost.isEmpty(), qPrintable(lost.join(' ')));
}

// While another copy holds the settings file's lock, a write waits about a
// second and is then refused like any write that fails; the file is untouched.
void SettingsTest::aSettingsLockNotHadWithinASecondRefusesTheWrite()
{
    ScratchAppDir dir;
    Settings::setPomocnik("1");
    const QByteArray before = dir.readFile("KQ2000.ini");
    QLockFile other(dir.file("KQ2000.ini.lock"));
    QVERIFY(other.tryLock(0));
    QElapsedTimer clock;
    clock.start();
    const QString message = errorOf([] { Settings::setPomocnik("0"); });
    const qint64 waited = clock.elapsed();
    QCOMPARE(message, QStringLiteral("Unable to write to %1").arg(dir.file("KQ2000.ini")));
    QVERIFY2(waited >= 900 && waited < 3000, qPrintable(QString::number(waited)));
    QCOMPARE(dir.readFile("KQ2000.ini"), before);
    other.unlock();
    Settings::setPomocnik("0");
    QCOMPARE(Settings::pomocnik(), QString("0"));
}

TORAN_TEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
