#include "Tabulka.h"

#include "core/results/Data.h"
#include "core/results/ResultsModel.h"
#include "core/results/ResultsTable.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "core/drawing/Colors.h"
#include "widgets/Accessibility.h"
#include "widgets/Panel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

namespace {
const char *const kTabCaptions[TTabulkaDialog::kPages] = {
    QT_TRANSLATE_NOOP("TTabulkaDialog", "3 disky"),
    QT_TRANSLATE_NOOP("TTabulkaDialog", "4 disky"),
    QT_TRANSLATE_NOOP("TTabulkaDialog", "5 disků"),
    QT_TRANSLATE_NOOP("TTabulkaDialog", "6 disků"),
    QT_TRANSLATE_NOOP("TTabulkaDialog", "7 disků"),
    QT_TRANSLATE_NOOP("TTabulkaDialog", "8 disků"),
    QT_TRANSLATE_NOOP("TTabulkaDialog", "9 disků"),
    QT_TRANSLATE_NOOP("TTabulkaDialog", "10 disků"),
};
constexpr int kNameWidth = 240;
constexpr int kMovesWidth = 30;
constexpr int kDateWidth = 66;   // a whole date text, left of the cover panel (grid x 336)
// Rows and the title row are as high as their font's text plus these, so
// that the title and ten results fill the 177 pixels of the grid.
constexpr int kRowPadding = 3;
constexpr int kTitlePadding = 4;

// The platform's style, keeping around each title the pixels that the
// title row leaves: Windows' style keeps 4 and so cuts the titles' lower
// edge, the descender of "Tahy" with it.
class TitleStyle : public QProxyStyle
{
public:
    TitleStyle() : QProxyStyle(platformStyle()) {}

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_HeaderMargin)
            return kTitlePadding / 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    // The name of the style the application draws with, under its own
    // proxies.
    static QString platformStyle()
    {
        const QStyle *style = QApplication::style();
        while (const auto *proxy = qobject_cast<const QProxyStyle *>(style))
            style = proxy->baseStyle();
        return style->name();
    }
};
} // namespace

TTabulkaDialog::TTabulkaDialog(TDataModule1 *data, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_data(data)
{
    setObjectName(QStringLiteral("TabulkaDialog"));
    setFixedSize(396, 276);
    Accessibility::setRole(this, QAccessible::Dialog);
    setAccessibleName(tr("Tabulka nejlepších"));
    setFont(Fonts::sansSerif(11));

    auto *panel1 = new Panel(this, Panel::Raised, QColor(Colors::BtnFace));
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(rect());
    auto *panel2 = new Panel(panel1, Panel::Raised, QColor(Colors::BtnFace));
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(2, 2, 392, 272);

    m_pages = new QTabWidget(panel2);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setGeometry(8, 8, 377, 225);
    m_pages->setFont(Fonts::times(11));
    // All eight tabs in one row, as narrow as their captions.
    m_pages->tabBar()->setUsesScrollButtons(false);
    m_pages->tabBar()->setExpanding(false);
    // The last tab's frame closes the row and takes pixels from its caption,
    // and "10 disků" is the widest: it gets them back.
    m_pages->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 2px 4px; } QTabBar::tab:last { padding-right: 7px; }"));
    // The pages' grids are made when a page is first shown (grid()).
    for (int page = 1; page <= kPages; ++page) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(page));
        sheet->setAutoFillBackground(true);
        QPalette sheetPalette = sheet->palette();
        sheetPalette.setColor(QPalette::Window, QColor(Colors::BtnFace));
        sheet->setPalette(sheetPalette);
        m_pages->addTab(sheet, QString());
    }
    // Captions are set once all tabs are there: a hidden tab bar lays its
    // tabs out once, when shown, instead of again for every tab added.
    for (int page = 1; page <= kPages; ++page)
        m_pages->setTabText(page - 1, tr(kTabCaptions[page - 1]));
    m_pages->tabBar()->installEventFilter(this);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        ErrorReport::guard(this, [this, index] { pageStep(index + 1); });
    });

    m_ok = new QPushButton(tr("Ok"), panel2);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setGeometry(158, 240, 75, 25);
    m_ok->setFont(Fonts::times(13));
    m_ok->setDefault(false);
    m_ok->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);
}

QTableView *TTabulkaDialog::grid(int page)
{
    QTableView *&grid = m_grids[page - 1];
    if (!grid)
        grid = makeGrid(page);
    return grid;
}

QTableView *TTabulkaDialog::makeGrid(int page)
{
    QWidget *sheet = m_pages->widget(page - 1);
    auto *grid = new QTableView(sheet);
    grid->setObjectName(QStringLiteral("DBGrid%1").arg(page));
    grid->setGeometry(8, 8, 354, 177);
    grid->setFrameShape(QFrame::NoFrame);
    grid->setShowGrid(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->setFont(Fonts::times(11));
    const int rowHeight = QFontMetrics(grid->font()).height() + kRowPadding;
    grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    QHeaderView *titles = grid->horizontalHeader();
    titles->setFont(Fonts::times(11, true));
    if (!m_titleStyle) {
        m_titleStyle = new TitleStyle;
        m_titleStyle->setParent(this);
    }
    titles->setStyle(m_titleStyle);
    titles->setFixedHeight(QFontMetrics(titles->font()).height() + kTitlePadding);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);   // "Datum" is right-aligned by the model
    titles->setHighlightSections(false);
    // Tab goes on to the next control: a grid that kept it would hold the
    // keyboard for good.
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);   // long names are cut at the column edge
    QPalette gridPalette = grid->palette();
    gridPalette.setColor(QPalette::Base, QColor(Colors::Silver));
    grid->setPalette(gridPalette);
    if (m_data)
        grid->setModel(&m_data->DataSource1());
    // A title wider than its column (the English "Moves") widens the column
    // by what it lacks, taken from the names: the date keeps its room.
    int movesWidth = kMovesWidth;
    if (grid->model()) {
        const QString title = grid->model()->headerData(ResultsModel::MovesColumn, Qt::Horizontal).toString();
        const int margins = 2 * titles->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles);
        movesWidth = qMax(kMovesWidth, QFontMetrics(titles->font()).horizontalAdvance(title) + margins);
    }
    grid->setColumnWidth(ResultsModel::NameColumn, kNameWidth - (movesWidth - kMovesWidth));
    grid->setColumnWidth(ResultsModel::MovesColumn, movesWidth);
    grid->setColumnWidth(ResultsModel::DateColumn, kDateWidth);
    grid->installEventFilter(this);
    grid->show();

    // Covers the grid's right edge, where its scroll bar would appear.
    auto *cover = new Panel(sheet, Panel::NoBevel, QColor(Colors::BtnFace));
    cover->setObjectName(QStringLiteral("Panel%1").arg(page + 2));
    cover->setGeometry(344, 8, 25, 185);
    cover->show();
    QWidget::setTabOrder(grid, m_ok);   // the keyboard's order of the grids made at once
    return grid;
}

void TTabulkaDialog::pageStep(int page)
{
    if (ResultsTable *t = m_data ? &m_data->Table1() : nullptr) {
        t->setFiltered(true);
        t->setFilter(ResultsTable::filterFor(QString::number(page + 2)));
        t->setIndexFieldNames(QStringLiteral("TAHY"));
    }
    // Every page starts at its best result.
    QTableView *view = grid(page);
    view->scrollToTop();
    // A page turned from the keyboard in a grid keeps it in the new page's grid.
    if (focusWidget() == m_pages->widget(page - 1))
        view->setFocus(Qt::TabFocusReason);
}

void TTabulkaDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        move(QGuiApplication::primaryScreen()->geometry().center() - rect().center());
    }
    ErrorReport::guard(this, [this] {
        pageStep(1);
        m_pages->setCurrentIndex(0);
        activateWindow();
        m_ok->setFocus();
    });
}

// Ctrl+Tab and Ctrl+PgDn turn to the next page, with Shift or PgUp to the
// one before, wherever the keyboard is.
bool TTabulkaDialog::turnsPage(const QKeyEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Tab: step = event->modifiers() & Qt::ShiftModifier ? -1 : 1; break;
    case Qt::Key_Backtab:
    case Qt::Key_PageUp: step = -1; break;
    case Qt::Key_PageDown: step = 1; break;
    default: return false;
    }
    m_pages->setCurrentIndex((m_pages->currentIndex() + step + kPages) % kPages);
    return true;
}

void TTabulkaDialog::keyPressEvent(QKeyEvent *event)
{
    // Reached from the "Ok" button or the window itself; the grids and the
    // page tabs keep Enter (see eventFilter).
    if (turnsPage(event))
        return;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool TTabulkaDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in a grid or on the tabs does not close the viewer; Esc closes
    // it from anywhere, as "Ok" does.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (turnsPage(key))
            return true;
        if (key->key() == Qt::Key_Escape)
            close();
        return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape;
    }
    return QWidget::eventFilter(watched, event);
}
