#include "shell/AppError.h"
#include "shell/IniFile.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QFile>
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
    void aRefusedWriteSaysWhichFile();
};

void SettingsTest::missingFilesReadAsEmptyAndAnimationDefaultsToOn()
{
    ScratchAppDir dir;
    QCOMPARE(Settings::pomocnik(), QString());
    QCOMPARE(Settings::uvitani(), QString());
    QCOMPARE(Settings::animace(), 1);
    QVERIFY(!QFile::exists(dir.file("KQ2000.ini")));   // reading creates nothing
}

// Callers compare with "1" and "0"; anything else, spaces included, is neither.
void SettingsTest::valuesAreReadAsExactTexts_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("pomocnik");
    QTest::addColumn<int>("animace");
    QTest::newRow("plain") << QByteArray("[Nastaveni]\r\nPomocnik=1\r\nAnimace=0\r\n") << "1" << 0;
    QTest::newRow("other text") << QByteArray("[Nastaveni]\nPomocnik=ano\nAnimace=1\n") << "ano" << 1;
    QTest::newRow("empty value") << QByteArray("[Nastaveni]\nPomocnik=\nAnimace=\n") << "" << 0;
    QTest::newRow("other section") << QByteArray("[Jine]\nPomocnik=1\nAnimace=0\n") << "" << 1;
    QTest::newRow("number with junk") << QByteArray("[Nastaveni]\nPomocnik=10\nAnimace=1x\n") << "10" << 1;
}

void SettingsTest::valuesAreReadAsExactTexts()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, pomocnik);
    QFETCH(int, animace);
    ScratchAppDir dir;
    dir.writeFile("KQ2000.ini", contents);
    dir.writeFile("Toran2000.ini", contents);
    QCOMPARE(Settings::pomocnik(), pomocnik);
    QCOMPARE(Settings::animace(), animace);
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

void SettingsTest::aRefusedWriteSaysWhichFile()
{
    ScratchAppDir dir;
    // A folder where the file should be refuses the write even to root.
    QVERIFY(QDir(dir.path()).mkdir("Toran2000.ini"));
    QString message;
    try {
        Settings::setAnimace(0);
    } catch (const AppError &error) {
        message = error.text();
    }
    QCOMPARE(message, QStringLiteral("Unable to write to %1").arg(dir.file("Toran2000.ini")));
}

TORAN_TEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
