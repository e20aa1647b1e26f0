// Every text of fixed width on every window fits its box with the fonts the
// program ships with, in every language the game speaks: no colon cut off,
// no line lost below the box. And the font has every character of it: the
// forms' fonts draw no character from another font. In English no text
// shown is left in Czech.
#include "dialogs/Kopie.h"
#include "core/system/Language.h"
#include "core/system/SystemInfo.h"
#include "core/drawing/Fonts.h"
#include "shell/Sef.h"
#include "shell/Spusteni.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/TestSupport.h"
#include "core/drawing/Colors.h"
#include "widgets/GradText.h"
#include "widgets/OContrls.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTranslator>
#include <QXmlStreamReader>
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
    for (TGradText *lettering : window->findChildren<TGradText *>())
        // A line wider than its box would wrap and run below it.
        for (const QString &line : lettering->lines())
            if (QFontMetrics(lettering->font()).horizontalAdvance(line) > lettering->width())
                fault(lettering, line, QStringLiteral("wraps in %1 pixels").arg(lettering->width()));
    for (QTableView *grid : window->findChildren<QTableView *>()) {
        // A title stands between the style's margins of its column and of
        // the title row.
        const QHeaderView *titles = grid->horizontalHeader();
        const int margins = 2 * titles->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles);
        if (!titles->isHidden() && QFontMetrics(titles->font()).height() > titles->height() - margins)
            fault(grid, QStringLiteral("titles"), QStringLiteral("%1 pixels high in %2")
                      .arg(QFontMetrics(titles->font()).height()).arg(titles->height() - margins));
        for (int c = 0; grid->model() && c < grid->model()->columnCount(); ++c) {
            const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
            const int width = QFontMetrics(titles->font()).horizontalAdvance(title) + margins;
            if (width > titles->sectionSize(c))
                fault(grid, title, QStringLiteral("%1 of %2 pixels").arg(width).arg(titles->sectionSize(c)));
        }
    }
    for (QTabBar *bar : window->findChildren<QTabBar *>()) {
        // The frame closing the row is drawn over the last tab's padding (4
        // pixels a side): its caption keeps 3 more clear of it.
        const QString last = bar->tabText(bar->count() - 1);
        const int spare = bar->tabRect(bar->count() - 1).width() - 8 - QFontMetrics(bar->font()).horizontalAdvance(last);
        if (spare < 3)
            fault(bar, last, QStringLiteral("%1 pixels beside the row's end").arg(spare));
    }
    for (QCheckBox *box : window->findChildren<QCheckBox *>())
        if (box->sizeHint().width() > box->width())
            fault(box, box->text(), QStringLiteral("needs %1 of %2 pixels").arg(box->sizeHint().width())
                                        .arg(box->width()));
    return faults;
}

// Czech in a text meant to be English: a letter with a Czech mark or a
// Czech word, once the names that stay as they are are taken out.
bool looksCzech(QString text)
{
    for (const char *name : {"Toranská věž 2000", "Tomáš Krejčí"})
        text.remove(QString::fromUtf8(name));
    static const QString marks = QString::fromUtf8("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
    static const QStringList words = {"ano", "ne", "je", "se", "na", "pro", "nebo", "hra", "hru", "verze", "konec",
                                      "dotaz", "informace", "tahy", "datum", "disky", "kontrola"};
    const QStringList found = text.toLower().split(QRegularExpression(QStringLiteral("[^a-z]+")), Qt::SkipEmptyParts);
    return std::any_of(text.begin(), text.end(), [](QChar c) { return marks.contains(c); })
        || std::any_of(found.begin(), found.end(), [](const QString &w) { return words.contains(w); });
}

// The window's texts a player can see, hints and titles included, that are
// left in Czech.
QStringList czechTexts(QWidget *window)
{
    QStringList texts{window->windowTitle()};
    const QString owner = SystemInfo::registeredOwner();   // the player's own name, in any language
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets << window;
    for (QWidget *w : widgets) {
        texts << w->statusTip() << w->toolTip();
        if (auto *label = qobject_cast<QLabel *>(w); label && !label->isHidden() && label->text() != owner)
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        if (auto *link = qobject_cast<TOfficeLabel *>(w))
            texts << link->caption();
        if (auto *button = qobject_cast<TOfficeButton *>(w))
            texts << button->caption();
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto *grid = qobject_cast<QTableView *>(w); grid && grid->model())
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                texts << grid->model()->headerData(c, Qt::Horizontal).toString();
        for (QAction *action : w->actions())
            texts << action->text() << action->statusTip() << action->toolTip();
    }
    texts.removeIf([](const QString &t) { return !looksCzech(t); });
    return texts;
}

} // namespace

class LabelsFitTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyFixedWidthTextFitsItsBox_data();
    void everyFixedWidthTextFitsItsBox();
    void noEnglishTranslationIsLeftInCzech();
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
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("state");   // a help topic, the about dialog's second page, the viewer in Windows' style
    for (const QString &language : Language::available()) {
        const QByteArray l = language.toLatin1();
        for (const char *name : {"HlavniDialog", "UvitaniDialog", "HraDialog", "OProgramuDialog", "DotazKonecDialog",
                                 "VysledekDialog", "TabulkaDialog", "VymazatDialog", "NapovedaDialog",
                                 "SpusteniDialog", "KopieDialog", "PomocnikDialog"})
            QTest::addRow("%s: %s", l.constData(), name) << language << QString::fromLatin1(name) << -1;
        for (int topic = 0; topic < TNapovedaDialog::kTopics; ++topic)
            QTest::addRow("%s: NapovedaDialog, topic %d", l.constData(), topic + 1)
                << language << QStringLiteral("NapovedaDialog") << topic;
        QTest::addRow("%s: OProgramuDialog, thanks", l.constData())
            << language << QStringLiteral("OProgramuDialog") << 1;
        QTest::addRow("%s: TabulkaDialog, Windows' style", l.constData())
            << language << QStringLiteral("TabulkaDialog") << 1;
    }
}

void LabelsFitTest::everyFixedWidthTextFitsItsBox()
{
    QFETCH(QString, language);
    QFETCH(QString, window);
    QFETCH(int, state);
    ScratchAppDir dir;
    QTranslator gameTexts, qtTexts;
    Startup::installTranslations(language, gameTexts, qtTexts);
    const auto czech = qScopeGuard([] { Language::setCurrent(Language::kCzech); });
    const QString platformStyle = QApplication::style()->name();
    if (window == QLatin1String("TabulkaDialog") && state >= 0)
        QApplication::setStyle(QStringLiteral("Windows"));
    const auto restyle = qScopeGuard([&] { QApplication::setStyle(platformStyle); });
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
        w.HlavniDialog->sef()->monthCalendar();   // the parts made when first shown
        w.TabulkaDialog->grid(1);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->objectName() == window) {
                found = true;
                faults = overflowingTexts(top);
                if (language != Language::kCzech)
                    faults += czechTexts(top).replaceInStrings(QRegularExpression(QStringLiteral("^")),
                                                               QStringLiteral("left in Czech: "));
            }
        }
    }
    windows.reset();
    QVERIFY2(found, qPrintable(window));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String("; "))));
}

// The texts that no window shows until something happens (the error
// reports, the help topics, the hints) are in Czech nowhere in English.
void LabelsFitTest::noEnglishTranslationIsLeftInCzech()
{
    QFile file(QStringLiteral(TORAN_EN_TS));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&file);
    QStringList czech;
    int messages = 0;
    while (!ts.atEnd()) {
        if (ts.readNext() == QXmlStreamReader::StartElement && ts.name() == u"translation") {
            ++messages;
            // A text with a count holds its plural forms.
            const QString text = ts.readElementText(QXmlStreamReader::IncludeChildElements);
            if (text.isEmpty() || looksCzech(text))
                czech << text;
        }
    }
    QVERIFY(!ts.hasError());
    QVERIFY(messages > 150);
    QVERIFY2(czech.isEmpty(), qPrintable(czech.join(QStringLiteral("; "))));
}

TORAN_TEST_MAIN(LabelsFitTest)
#include "tst_labels_fit.moc"
