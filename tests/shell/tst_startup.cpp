#include "core/widgets/Fonts.h"
#include "shell/Hlavni.h"
#include "services/Pacing.h"
#include "shell/Spusteni.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/TestSupport.h"
#include "widgets/GradProgress.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTranslator>
#include <QtTest>

namespace {
QWidget *topLevel(const char *name)
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name))
            return top;
    return nullptr;
}
} // namespace

class StartupTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void progressRunsThroughItsTwelvePositionsWithTheMainWindowFirst();
    void splashBarShowsEveryPositionBeforeTheLoopRuns();
    void splashNamesTheUserOrUnknown();
    void qtsOwnTextsSpeakCzech();
};

void StartupTest::initTestCase()
{
    Fonts::installSubstitutes();
    Pacing::setEnabled(false);
}

void StartupTest::progressRunsThroughItsTwelvePositionsWithTheMainWindowFirst()
{
    ScratchAppDir dir;
    QList<int> positions;
    bool mainFirst = false;
    auto windows = Startup::createWindows([&](int position) {
        positions << position;
        if (position == 21)
            mainFirst = topLevel("HlavniDialog") != nullptr;
    });
    QCOMPARE(positions, (QList<int>{7, 14, 21, 28, 35, 42, 63, 70, 77, 84, 91, 100}));
    QVERIFY(mainFirst);
}

// The bar paints each position at once: start-up runs before the loop.
void StartupTest::splashBarShowsEveryPositionBeforeTheLoopRuns()
{
    ScratchAppDir dir;
    TSpusteniDialog splash;
    splash.show();
    TGradProgress *metr = splash.metr();
    QCOMPARE(metr->size(), QSize(231, 17));
    auto windows = Startup::createWindows([&](int position) {
        metr->setPosition(position);
        QCOMPARE(metr->position(), position);
        // Right after the call, with no event processed, the bar's pixels show it.
        const QImage shown = metr->grab().toImage();
        const int filled = (position * 231 + 50) / 100;
        const QColor tip(shown.pixel(qMin(filled - 1, 229), 8));   // the outermost column is never painted
        QCOMPARE(tip.red(), 255);
        QVERIFY2(tip.green() < 40, qPrintable(tip.name()));   // nearly the end colour at the tip
        if (filled + 1 < 230)
            QCOMPARE(QColor(shown.pixel(filled + 1, 8)), QColor(Qt::black));
    });
    QCOMPARE(metr->position(), 100);
}

void StartupTest::splashNamesTheUserOrUnknown()
{
    TSpusteniDialog splash;
    QVERIFY(!splash.ownerLabel()->text().isEmpty());
    QCOMPARE(splash.organizationLabel()->text(), QStringLiteral("unknown"));
    QCOMPARE(splash.size(), QSize(339, 288));
}

// The name box's context menu comes from Qt; with Qt's Czech translation it
// speaks Czech like the rest of the game.
void StartupTest::qtsOwnTextsSpeakCzech()
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_cs.qm")))
        QSKIP("Qt's Czech translation (qt6-translations-l10n) is not installed");
    QTranslator translator;
    QVERIFY(Startup::installQtTranslation(translator));
    QLineEdit name;
    std::unique_ptr<QMenu> menu(name.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY2(texts.contains(QStringLiteral("&Vložit")) && texts.contains(QStringLiteral("Vybrat vše")),
             qPrintable(texts.join(QStringLiteral(", "))));
}

TORAN_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
