#include "ResultsTableFixtures.h"

#include "core/results/CodePage.h"
#include "core/results/Cp1250.h"
#include "core/system/Today.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace ResultsFixtures;
using namespace ResultsTableFixtures;

// The texts a result is stored from and shown as: names in the Windows-1250
// code page, dates in the locale's short format, values that are refused.
class ResultsTextsTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Today::setForTesting(kToday); }
    void cleanup() { Today::setForTesting(QDate()); }

    void namesAreStoredInWindows1250CutTo100Characters_data();
    void namesAreStoredInWindows1250CutTo100Characters();
    void theBuiltInWindows1250AgreesWithThePlatformConverter();
    void dateTextsUseTheLocaleShortDateFormat_data();
    void dateTextsUseTheLocaleShortDateFormat();
    void badTextsAreRefusedAndLeaveTheFileUntouched_data();
    void badTextsAreRefusedAndLeaveTheFileUntouched();
};

// A name is cut to its first 100 characters and stored in Windows-1250, a
// character that code page lacks as "?".
void ResultsTextsTest::namesAreStoredInWindows1250CutTo100Characters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("bytes");
    const QString hundred = QString("Příliš žluťoučký kůň úpěl ďábelské ódy ").repeated(3).left(100);
    QTest::newRow("101 characters") << hundred + "X" << hundred << TableFile::encodeName(hundred);
    QTest::newRow("exactly 100") << hundred << hundred << TableFile::encodeName(hundred);
    QTest::newRow("empty") << QString() << QString() << QByteArray();
    QTest::newRow("Czech letters") << "Jiří Ťuhýk" << "Jiří Ťuhýk" << QByteArray("Ji\xF8\xED \x8Duh\xFDk");
    QTest::newRow("letters Windows-1250 lacks") << "Søren 日本" << "S?ren ??" << QByteArray("S?ren ??");
    QTest::newRow("leading spaces kept") << "  Eva" << "  Eva" << QByteArray("  Eva");
}

void ResultsTextsTest::namesAreStoredInWindows1250CutTo100Characters()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QByteArray, bytes);
    ScratchAppDir app;
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.AppendResult(typed, "7", "3", ResultsTable::dateToText(kToday));
    QCOMPARE(t.currentName(), stored);
    QCOMPARE(readTable(app).value(0).name, stored);
    // JMENO is the first field: right after the 161-byte header and the deletion flag.
    const QByteArray file = app.readFile(kTable);
    QCOMPARE(file.mid(162, 100), bytes + QByteArray(100 - bytes.size(), ' '));
    QCOMPARE(uchar(file[29]), uchar(0xC8));   // Central European code-page mark
}

// The code page used where Qt has no converter for it gives the same bytes
// and characters as the system's converter.
void ResultsTextsTest::theBuiltInWindows1250AgreesWithThePlatformConverter()
{
    QVERIFY(CodePage::isAvailable("windows-1250"));
    int defined = 0;
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        const QString mine = Cp1250::decode(byte);
        if (mine == QString(QChar(0xFFFD)))
            continue;
        ++defined;
        QCOMPARE(mine, CodePage::decode("windows-1250", byte));
        QCOMPARE(Cp1250::encode(mine), byte);
    }
    QCOMPARE(defined, 256 - 5);   // 0x81, 0x83, 0x88, 0x90 and 0x98 are undefined
    for (const QString &text : {QStringLiteral("Příliš žluťoučký kůň „úpěl“ — ďábelské ódy €"),
                                QStringLiteral("Søren 日本 \U0001F600 ñ")}) {
        QByteArray viaQt = CodePage::encode("windows-1250", text);
        viaQt.replace('\x1A', '?');
        QCOMPARE(Cp1250::encode(text), viaQt);
    }
}

// DateAsText is the locale's short date (day.month.year where the system has
// no regional setting); a date text goes back to the same date.
void ResultsTextsTest::dateTextsUseTheLocaleShortDateFormat_data()
{
    QTest::addColumn<QDate>("date");
    QTest::newRow("today") << kToday;
    QTest::newRow("early in the century") << QDate(2001, 1, 2);
    QTest::newRow("late last century") << QDate(1999, 8, 30);
}

void ResultsTextsTest::dateTextsUseTheLocaleShortDateFormat()
{
    QFETCH(QDate, date);
    ScratchAppDir app;
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    const QLocale locale = QLocale::system();
    const QString text = locale.language() == QLocale::C ? date.toString(QStringLiteral("d.M.yyyy"))
                                                         : locale.toString(date, QLocale::ShortFormat);
    QCOMPARE(ResultsTable::dateToText(date), text);
    t.AppendResult("A", "7", "3", text);
    QCOMPARE(t.DateAsText(), text);
    QCOMPARE(t.currentDate(), date);
    QCOMPARE(readTable(app).value(0).date, date);
}

// Moves that are no whole number, counts outside 3..10 and non-dates are errors.
void ResultsTextsTest::badTextsAreRefusedAndLeaveTheFileUntouched_data()
{
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("date");
    const QString today = ResultsTable::dateToText(kToday);
    QTest::newRow("moves not a number") << "abc" << "3" << today;
    QTest::newRow("moves empty") << "" << "3" << today;
    QTest::newRow("moves fractional") << "7.5" << "3" << today;
    QTest::newRow("moves negative") << "-7" << "3" << today;
    QTest::newRow("moves too long for TAHY") << "12345678901" << "3" << today;
    QTest::newRow("count 11") << "7" << "11" << today;
    QTest::newRow("count with a leading zero") << "7" << "03" << today;
    QTest::newRow("date not a date") << "7" << "3" << "včera";
}

void ResultsTextsTest::badTextsAreRefusedAndLeaveTheFileUntouched()
{
    QFETCH(QString, moves);
    QFETCH(QString, count);
    QFETCH(QString, date);
    ScratchAppDir app;
    writeTable(app, {rec("A", 9, "3")});
    const QByteArray before = app.readFile(kTable);
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    QVERIFY(!errorOf([&] { t.AppendResult("B", moves, count, date); }).isEmpty());
    t.First();
    QVERIFY(!errorOf([&] { t.OverwriteCurrent("B", moves, count, date); }).isEmpty());
    QCOMPARE(app.readFile(kTable), before);
}

TORAN_TEST_GUILESS_MAIN(ResultsTextsTest)
#include "tst_resultstexts.moc"
