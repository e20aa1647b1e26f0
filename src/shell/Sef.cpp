#include "Sef.h"

#include "core/system/Language.h"
#include "core/drawing/Fonts.h"
#include "core/drawing/Colors.h"
#include "widgets/Placed.h"
#include "widgets/Shape.h"

#include <QCalendarWidget>
#include <QFontMetrics>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIcon>
#include <QTextCharFormat>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

QString Sef::caption() { return tr("Plnění plánu v letošním roce"); }

namespace {
struct Bar {
    const char *name;
    int left, top, height;
    QRgb color;
};
// Fixed figures: the chart only has to look like a year's plan.
constexpr Bar kBars[] = {
    {"Shape6", 26, 48, 201, Colors::Yellow},
    {"Shape7", 58, 96, 153, Colors::Red},
    {"Shape8", 90, 72, 177, Colors::Aqua},
    {"Shape9", 122, 88, 161, Colors::Blue},
    {"Shape10", 154, 104, 145, Colors::Lime},
    {"Shape11", 186, 208, 41, Colors::Green},
    {"Shape12", 218, 232, 17, Colors::fromBgr(4227200)},
    {"Shape13", 250, 240, 9, Colors::fromBgr(16512)},
    {"Shape14", 282, 160, 89, Colors::Gray},
    {"Shape15", 314, 216, 33, Colors::Black},
};

// A plain month calendar in the game's language (in Czech "Po" ... "Ne"),
// whatever the system's regional settings, its weeks starting on the day
// that language's locale starts them (Monday in Czech): the month and year over short
// day names and the weeks, in the greys of the rest of the screen, today
// marked.
void makePlainCzechCalendar(QCalendarWidget *calendar)
{
    calendar->setLocale(Language::currentLocale());
    calendar->setFirstDayOfWeek(calendar->locale().firstDayOfWeek());
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // English short names ("Wed") are too wide for the columns: one letter.
    calendar->setHorizontalHeaderFormat(Language::current() == Language::kCzech ? QCalendarWidget::ShortDayNames
                                                                               : QCalendarWidget::SingleLetterDayNames);
    // The locale's short names are lower case ("po", "út"); shown capitalised.
    QTextCharFormat header = calendar->headerTextFormat();
    QFont headerFont = calendar->font();
    headerFont.setCapitalization(QFont::Capitalize);
    header.setFont(headerFont);
    header.setForeground(QColor(Colors::Black));
    calendar->setHeaderTextFormat(header);
    QTextCharFormat weekend;
    weekend.setForeground(QColor(Colors::Black));
    calendar->setWeekdayTextFormat(Qt::Saturday, weekend);
    calendar->setWeekdayTextFormat(Qt::Sunday, weekend);

    QPalette palette = calendar->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::AlternateBase, QPalette::Window, QPalette::Button})
        palette.setColor(role, QColor(Colors::Silver));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, QColor(Colors::Black));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(Colors::Gray));   // days of the months beside
    // The navigation bar and today's mark take the highlight colours.
    palette.setColor(QPalette::Highlight, QColor(Colors::Gray));
    palette.setColor(QPalette::HighlightedText, QColor(Colors::White));
    calendar->setPalette(palette);
    // Plain arrows instead of the style's coloured pictures.
    const std::pair<const char *, Qt::ArrowType> arrows[] = {
        {"qt_calendar_prevmonth", Qt::LeftArrow}, {"qt_calendar_nextmonth", Qt::RightArrow}};
    for (const auto &[name, arrow] : arrows) {
        if (auto *button = calendar->findChild<QToolButton *>(QLatin1String(name))) {
            button->setIcon(QIcon());
            button->setArrowType(arrow);
        }
    }
    // Six weeks and seven days fit the box in any style: a row or a column
    // may shrink to its text, where a style (Windows') would keep them
    // taller and cut the last week off.
    if (auto *days = calendar->findChild<QTableView *>()) {
        const QFontMetrics metrics(calendar->font());
        days->verticalHeader()->setMinimumSectionSize(metrics.height());
        days->horizontalHeader()->setMinimumSectionSize(metrics.horizontalAdvance(QStringLiteral("00")));
    }
    // The month button's menu arrow is drawn inside the button, which is only
    // as wide as its text: it is widened by the arrow for the longest name,
    // so that no month's last letter lies under it.
    if (auto *month = calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"))) {
        const QFontMetrics metrics(month->font());
        int widest = 0;
        for (int m = 1; m <= 12; ++m)
            widest = std::max(widest, metrics.horizontalAdvance(
                                          calendar->locale().standaloneMonthName(m, QLocale::LongFormat)));
        const int arrow = month->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, month);
        month->setMinimumWidth(month->sizeHint().width() - metrics.horizontalAdvance(month->text()) + widest
                               + arrow);
    }
}


// A month calendar whose two arrows never come from the icon theme: asking
// the theme for them reads its index files, and the arrows are drawn plain
// anyway (makePlainCzechCalendar).
QCalendarWidget *calendarWithoutThemeLookUps(QWidget *parent)
{
    const QStringList themePaths = QIcon::themeSearchPaths();
    // An empty list would mean the system's folders: one that holds no theme.
    QIcon::setThemeSearchPaths({QStringLiteral(":/no-icon-theme")});
    auto *calendar = new QCalendarWidget(parent);
    QIcon::setThemeSearchPaths(themePaths);
    return calendar;
}
} // namespace

Sef::Sef(QWidget *parent)
    : Panel(parent, Panel::NoBevel, QColor(Colors::Gray))
{
    setObjectName(QStringLiteral("Sef"));

    m_calendarPanel = placed(new Panel(this, Panel::Raised, QColor(Colors::Silver)),
                             QStringLiteral("Panel2"), QRect(5, 5, 193, 169));

    Panel *panel3 = placed(new Panel(this, Panel::Raised, QColor(Colors::Silver)),
                           QStringLiteral("Panel3"), QRect(200, 5, 360, 273));
    placed(new Shape(Shape::Rectangle, QColor(Colors::White), panel3), QStringLiteral("Shape4"), QRect(24, 8, 3, 241));
    placed(new Shape(Shape::Rectangle, QColor(Colors::White), panel3),
           QStringLiteral("Shape5"), QRect(24, 248, 321, 3));
    for (const Bar &bar : kBars)
        placed(new Shape(Shape::Rectangle, QColor(bar.color), panel3),
               QLatin1String(bar.name), QRect(bar.left, bar.top, 31, bar.height));

    m_treePanel = placed(new Panel(this, Panel::Raised, QColor(Colors::Silver)),
                         QStringLiteral("Panel4"), QRect(5, 180, 193, 97));
}

QCalendarWidget *Sef::monthCalendar()
{
    if (m_calendar)
        return m_calendar;
    m_calendar = calendarWithoutThemeLookUps(m_calendarPanel);
    m_calendar->setObjectName(QStringLiteral("MonthCalendar1"));
    m_calendar->setGeometry(5, 8, 183, 153);
    m_calendar->setFont(Fonts::sansSerif(11));
    makePlainCzechCalendar(m_calendar);
    if (m_date.isValid())
        m_calendar->setSelectedDate(m_date);
    m_calendar->show();
    return m_calendar;
}

void Sef::setCalendarDate(const QDate &date)
{
    m_date = date;
    if (m_calendar)
        m_calendar->setSelectedDate(date);
}

QTreeView *Sef::directoryOutline()
{
    if (m_tree)
        return m_tree;
    m_tree = new QTreeView(m_treePanel);
    m_tree->setObjectName(QStringLiteral("DirectoryOutline1"));
    m_tree->setGeometry(4, 4, 185, 89);
    m_tree->setHeaderHidden(true);
    // Folder names may be in any script.
    m_tree->setFont(Fonts::withFallbacks(Fonts::sansSerif(11)));
    m_tree->setIndentation(12);
    m_tree->setUniformRowHeights(true);
    m_tree->setStyleSheet(QStringLiteral("QTreeView::item { height: 13px; }"));
    m_tree->show();
    return m_tree;
}

void Sef::showEvent(QShowEvent *event)
{
    Panel::showEvent(event);
    monthCalendar();
    if (directoryOutline()->model())
        return;
    // The folders of the current drive, read only once someone looks, so
    // that start-up does not scan the disk.
    auto *model = new QFileSystemModel(m_tree);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model->setReadOnly(true);
    const QString drive = QDir(QDir::currentPath()).rootPath();
    m_tree->setModel(model);
    m_tree->setRootIndex(model->setRootPath(drive));
    for (int column = 1; column < model->columnCount(); ++column)
        m_tree->hideColumn(column);
}
