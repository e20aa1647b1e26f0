// Every text of fixed width on every window fits its box with the fonts the
// program ships with: no colon cut off, no line lost below the box. And the
// font has every character of it: the forms' fonts draw no character from
// another font.
#include "dialogs/Kopie.h"
#include "core/widgets/Fonts.h"
#include "shell/Spusteni.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/TestSupport.h"
#include "core/widgets/Colors.h"
#include "widgets/OContrls.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QtTest>

namespace {

// What does not fit, one line per text, of the window's texts as they stand.
QStringList overflowingTexts(QWidget *window)
{
    QStringList faults;
    const auto fault = [&](const QWidget *w, const QString &text, const QString &how) {
        faults << QStringLiteral("%1 \"%2\": %3").arg(w->objectName(), text, how);
    };
    const auto checkCharacters = [&](const QWidget *w, const QString &text) {
        const QFontMetrics metrics(w->font());
        for (const char32_t c : text.toUcs4())
            if (c != U'\n' && !metrics.inFontUcs4(c))
                fault(w, text, QStringLiteral("U+%1 is not in %2").arg(uint(c), 4, 16, QLatin1Char('0'))
                                   .arg(QFontInfo(w->font()).family()));
    };
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QString text = label->text();
        // A label hidden for good (the board's disk count) holds data, not text.
        if (text.isEmpty() || label->textFormat() == Qt::RichText || label->isHidden())
            continue;
        checkCharacters(label, text);
        const QRect box = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                         -label->margin());
        const QFontMetrics metrics(label->font());
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height())
                fault(label, text, QStringLiteral("%1 of %2 pixels high").arg(needed).arg(label->height()));
            continue;
        }
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            const int width = metrics.horizontalAdvance(line);
            if (width > box.width())
                fault(label, line, QStringLiteral("%1 of %2 pixels wide").arg(width).arg(box.width()));
        }
        if (int(lines.size()) * metrics.height() > box.height())
            fault(label, text, QStringLiteral("%1 lines of %2 pixels in %3").arg(lines.size()).arg(metrics.height())
                                   .arg(box.height()));
    }
    for (TOfficeLabel *link : window->findChildren<TOfficeLabel *>()) {
        // The text stands right of the light, wrapped, inside the control.
        const int led = indicatorPicture(QStringLiteral("OFFRND"), Colors::Yellow).width();
        const QRect box(QPoint(led + 5, 1), QPoint(link->width() - 1, link->height() - 2));
        checkCharacters(link, link->caption());
        const QRect needed = QFontMetrics(link->font()).boundingRect(box, Qt::TextWordWrap, link->caption());
        if (needed.height() > box.height() || needed.width() > box.width())
            fault(link, link->caption(), QStringLiteral("%1 x %2 in %3 x %4").arg(needed.width()).arg(needed.height())
                                             .arg(box.width()).arg(box.height()));
    }
    for (TOfficeButton *button : window->findChildren<TOfficeButton *>()) {
        // Centred on the space right of the light, which lies 7 pixels in.
        checkCharacters(button, button->caption());
        const int width = QFontMetrics(button->font()).horizontalAdvance(button->caption());
        if (width > button->width() - 2 * 7)
            fault(button, button->caption(), QStringLiteral("%1 pixels on a %2 pixel button").arg(width)
                                                 .arg(button->width()));
    }
    for (QCheckBox *box : window->findChildren<QCheckBox *>())
        if (box->sizeHint().width() > box->width())
            fault(box, box->text(), QStringLiteral("needs %1 of %2 pixels").arg(box->sizeHint().width())
                                        .arg(box->width()));
    return faults;
}

} // namespace

class LabelsFitTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyFixedWidthTextFitsItsBox_data();
    void everyFixedWidthTextFitsItsBox();
};

void LabelsFitTest::initTestCase()
{
    Fonts::installSubstitutes();
    const QFontInfo serif(Fonts::times(13));
    if (serif.family() != QLatin1String("Liberation Serif"))
        QSKIP("the shipped fonts (fonts-liberation2) are not installed");
}

void LabelsFitTest::everyFixedWidthTextFitsItsBox_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("state");   // a help topic, the about dialog's second page
    for (const char *name : {"HlavniDialog", "UvitaniDialog", "HraDialog", "OProgramuDialog", "DotazKonecDialog",
                             "VysledekDialog", "TabulkaDialog", "VymazatDialog", "NapovedaDialog",
                             "SpusteniDialog", "KopieDialog"})
        QTest::newRow(name) << QString::fromLatin1(name) << -1;
    for (int topic = 0; topic < TNapovedaDialog::kTopics; ++topic)
        QTest::addRow("NapovedaDialog, topic %d", topic + 1) << QStringLiteral("NapovedaDialog") << topic;
    QTest::newRow("OProgramuDialog, thanks") << QStringLiteral("OProgramuDialog") << 1;
}

void LabelsFitTest::everyFixedWidthTextFitsItsBox()
{
    QFETCH(QString, window);
    QFETCH(int, state);
    ScratchAppDir dir;
    std::unique_ptr<Startup::Windows> windows = Startup::createWindows([](int) {});
    const Startup::Windows &w = *windows;
    QStringList faults;
    bool found = false;
    {
        // The splash and the notice go before the windows they stand beside.
        TSpusteniDialog splash;
        TKopieDialog notice(w.PomocnikDialog.get());
        w.VysledekDialog->setFigures(QStringLiteral("10"), QStringLiteral("1023"), QStringLiteral("1234"));
        if (window == QLatin1String("NapovedaDialog") && state >= 0)
            w.NapovedaDialog->topicClick(state);
        if (window == QLatin1String("OProgramuDialog") && state >= 0)
            w.OProgramuDialog->Button2Click();
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->objectName() == window) {
                found = true;
                faults = overflowingTexts(top);
            }
        }
    }
    windows.reset();
    QVERIFY2(found, qPrintable(window));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String("; "))));
}

TORAN_TEST_MAIN(LabelsFitTest)
#include "tst_labels_fit.moc"
