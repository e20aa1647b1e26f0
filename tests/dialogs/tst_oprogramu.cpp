// The about dialog: always opened on the first page, the thanks page that
// slides in and out with its sound, the registration lines and the keys.
#include "dialogs/OProgramu.h"
#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "shell/Hlavni.h"
#include "services/DialogLock.h"
#include "services/InputLock.h"
#include "services/Pacing.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

using Registration = TOProgramuDialog::Registration;

struct Windows {
    explicit Windows(bool sounds = true)
    {
        if (sounds)
            dir.withSounds();
        dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
        Placement::setScreenSizeForTesting(QSize(1024, 768));
        main = std::make_unique<THlavniDialog>();
        assistant = std::make_unique<TPomocnikDialog>();
        about = std::make_unique<TOProgramuDialog>();
        lock.setLockedWindows(main.get(), assistant.get());
        lock.watch(about.get());
    }
    ~Windows()
    {
        about->hide();
        Placement::setScreenSizeForTesting(QSize());
    }
    bool locked() const
    {
        return !InputLock::isInputEnabled(main.get()) && !InputLock::isInputEnabled(assistant.get());
    }
    QString text(const char *label) const { return about->findChild<QLabel *>(label)->text(); }

    ScratchAppDir dir;
    RecordingSoundPlayer sounds;
    DialogLock lock;
    std::unique_ptr<THlavniDialog> main;
    std::unique_ptr<TPomocnikDialog> assistant;
    std::unique_ptr<TOProgramuDialog> about;
};

// What the dialog showed at one step of a slide.
struct Step {
    QWidget *moved;
    int top;
    bool thanksEnabled;
    bool backEnabled;
    QString heading;
};

enum class Focus { Dialog, Ok, Thanks, Back };

} // namespace

Q_DECLARE_METATYPE(Focus)

class OProgramuTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Pacing::setEnabled(false); }
    void cleanup()
    {
        Pacing::setStepObserver({});
        TOProgramuDialog::setRegistrationForTesting({});
    }
    void theFormHasItsDesignedControls();
    void everyShowIsCentredOnTheFirstPageAndLocksTheWindows();
    void eachPageButtonSwapsTheButtonsBeforeItsSlide_data();
    void eachPageButtonSwapsTheButtonsBeforeItsSlide();
    void theRegistrationIsReadAtEveryShowAndEmptyStaysEmpty_data();
    void theRegistrationIsReadAtEveryShowAndEmptyStaysEmpty();
    void enterAndEscCloseWhicheverButtonHasTheFocus_data();
    void enterAndEscCloseWhicheverButtonHasTheFocus();
    void theOkButtonCloses();
};

void OProgramuTest::theFormHasItsDesignedControls()
{
    Windows w;
    TOProgramuDialog *d = w.about.get();
    QCOMPARE(d->objectName(), QStringLiteral("OProgramuDialog"));
    QCOMPARE(d->size(), QSize(323, 244));
    QVERIFY(d->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(d->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(d->statusTip(), QStringLiteral("Informace o programu"));
    QCOMPARE(d->okButton()->text(), QStringLiteral("Ok"));
    QCOMPARE(d->okButton()->statusTip(), QStringLiteral("Uzavře dialogové okno s informacemi o programu"));
    QCOMPARE(d->thanksButton()->text(), QStringLiteral(">>"));
    QCOMPARE(d->thanksButton()->statusTip(), QStringLiteral("Poděkování"));
    QCOMPARE(d->backButton()->text(), QStringLiteral("<<"));
    QCOMPARE(w.text("Label8"), QStringLiteral("- za trpělivost, lásku a porozumění"));
    QCOMPARE(w.text("Label9"), QStringLiteral("- za testování a distribuci programů Morvak Design  '99"));
    // The thanks page lies inside the framed box, which clips it.
    QWidget *box = d->findChild<QWidget *>("Panel3");
    QCOMPARE(d->thanksPage()->parentWidget(), box);
    QCOMPARE(box->geometry(), QRect(5, 96, 308, 65));
    QCOMPARE(d->thanksPage()->geometry(), QRect(1, 65, 306, 63));
    // The assistant's picture, shrunk, with its white paper left out.
    const QPixmap picture = d->findChild<QLabel *>("Image1")->pixmap();
    QCOMPARE(picture.size(), QSize(63, 62));
    QCOMPARE(qAlpha(picture.toImage().pixel(0, 0)), 0);
}

void OProgramuTest::everyShowIsCentredOnTheFirstPageAndLocksTheWindows()
{
    Windows w;
    TOProgramuDialog *d = w.about.get();
    d->show();
    QVERIFY(w.locked());
    QCOMPARE(d->pos(), QPoint((1024 - 323) / 2, (768 - 244) / 2));
    d->thanksButton()->click();
    QCOMPARE(d->thanksPage()->y(), 1);
    QCOMPARE(d->pageHeading()->text(), QStringLiteral("Poděkování :"));
    d->close();
    QVERIFY(!w.locked());

    d->move(10, 10);
    Placement::setScreenSizeForTesting(QSize(1280, 1024));
    d->show();
    QCOMPARE(d->pos(), QPoint((1280 - 323) / 2, (1024 - 244) / 2));
    QCOMPARE(d->pageHeading()->text(), TOProgramuDialog::firstPageHeading());
    QCOMPARE(d->thanksPage()->y(), 65);
    QVERIFY(d->thanksButton()->isEnabled());
    QVERIFY(!d->backButton()->isEnabled());
    QVERIFY(w.locked());
}

void OProgramuTest::eachPageButtonSwapsTheButtonsBeforeItsSlide_data()
{
    QTest::addColumn<bool>("toThanks");
    QTest::addColumn<bool>("withSounds");
    QTest::newRow(">> slides the thanks in") << true << true;
    QTest::newRow("<< slides them out") << false << true;
    QTest::newRow(">> without a sound folder") << true << false;
    QTest::newRow("<< without a sound folder") << false << false;
}

void OProgramuTest::eachPageButtonSwapsTheButtonsBeforeItsSlide()
{
    QFETCH(bool, toThanks);
    QFETCH(bool, withSounds);
    Windows w(withSounds);
    TOProgramuDialog *d = w.about.get();
    d->show();
    if (!toThanks)
        d->thanksButton()->click();
    w.sounds.clear();

    QPushButton *pressed = toThanks ? d->thanksButton() : d->backButton();
    QList<Step> steps;
    Pacing::setStepObserver([&](QWidget *moved, const QRect &geometry) {
        steps.append({moved, geometry.top(), d->thanksButton()->isEnabled(), d->backButton()->isEnabled(),
                      d->pageHeading()->text()});
        // A second press while the page moves is refused.
        if (steps.size() == 10)
            QTest::mouseClick(pressed, Qt::LeftButton);
    });
    QTest::mouseClick(pressed, Qt::LeftButton);
    Pacing::setStepObserver({});

    QCOMPARE(steps.size(), 65);
    for (int i = 0; i < steps.size(); ++i) {
        const Step &s = steps[i];
        QCOMPARE(s.moved, d->thanksPage());
        QCOMPARE(s.top, toThanks ? 65 - i : 1 + i);
        QCOMPARE(s.thanksEnabled, !toThanks);
        QCOMPARE(s.backEnabled, toThanks);
        QCOMPARE(s.heading, toThanks ? QStringLiteral("Poděkování :") : TOProgramuDialog::firstPageHeading());
    }
    QCOMPARE(d->thanksPage()->y(), toThanks ? 1 : 65);
    QCOMPARE(w.sounds.names, withSounds ? QStringList{QStringLiteral("Lista.wav")} : QStringList{});
}

void OProgramuTest::theRegistrationIsReadAtEveryShowAndEmptyStaysEmpty_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("organisation");
    QTest::newRow("both") << QStringLiteral("Jiří Procházka") << QStringLiteral("Stavební družstvo Lipno");
    QTest::newRow("no owner") << QString() << QStringLiteral("Stavební družstvo Lipno");
    QTest::newRow("no organisation") << QStringLiteral("Jiří Procházka") << QString();
    QTest::newRow("neither") << QString() << QString();
}

void OProgramuTest::theRegistrationIsReadAtEveryShowAndEmptyStaysEmpty()
{
    QFETCH(QString, owner);
    QFETCH(QString, organisation);
    Windows w;
    // An earlier show with other values leaves nothing behind.
    TOProgramuDialog::setRegistrationForTesting([] { return Registration{"Stará Hodnota", "Jiná Firma"}; });
    w.about->show();
    QCOMPARE(w.about->ownerLine()->text(), QStringLiteral("Stará Hodnota"));
    w.about->close();
    TOProgramuDialog::setRegistrationForTesting([&] { return Registration{owner, organisation}; });
    w.about->show();
    QCOMPARE(w.about->ownerLine()->text(), owner);
    QCOMPARE(w.about->organisationLine()->text(), organisation);
}

void OProgramuTest::enterAndEscCloseWhicheverButtonHasTheFocus_data()
{
    QTest::addColumn<Focus>("focus");
    QTest::addColumn<Qt::Key>("key");
    for (auto [focus, name] : {std::pair{Focus::Dialog, "dialog"}, {Focus::Ok, "Ok"}, {Focus::Thanks, ">>"},
                               {Focus::Back, "<<"}}) {
        QTest::addRow("Enter on %s", name) << focus << Qt::Key_Return;
        QTest::addRow("keypad Enter on %s", name) << focus << Qt::Key_Enter;
        QTest::addRow("Esc on %s", name) << focus << Qt::Key_Escape;
    }
}

void OProgramuTest::enterAndEscCloseWhicheverButtonHasTheFocus()
{
    QFETCH(Focus, focus);
    QFETCH(Qt::Key, key);
    Windows w;
    TOProgramuDialog *d = w.about.get();
    d->show();
    QWidget *target = d;
    switch (focus) {
    case Focus::Dialog:
        break;
    case Focus::Ok:
        target = d->okButton();
        break;
    case Focus::Thanks:
        target = d->thanksButton();
        break;
    case Focus::Back:
        d->thanksButton()->click();
        target = d->backButton();
        break;
    }
    const int pageTop = d->thanksPage()->y();
    w.sounds.clear();
    QTest::keyClick(target, key);
    QVERIFY(!d->isVisible());
    QVERIFY(!w.locked());
    // The key pressed no page button: nothing slid, nothing sounded.
    QCOMPARE(d->thanksPage()->y(), pageTop);
    QVERIFY(w.sounds.names.isEmpty());
}

void OProgramuTest::theOkButtonCloses()
{
    Windows w;
    w.about->show();
    QTest::mouseClick(w.about->okButton(), Qt::LeftButton);
    QVERIFY(!w.about->isVisible());
    QVERIFY(!w.locked());
}

TORAN_TEST_MAIN(OProgramuTest)
#include "tst_oprogramu.moc"
