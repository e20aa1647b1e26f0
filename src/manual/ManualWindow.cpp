#include "ManualWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

namespace {
constexpr int kWidth = 760;
constexpr int kHeight = 600;
} // namespace

TManualDialog::TManualDialog(QWidget *parent)
    : QMainWindow(parent)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("ManualDialog"));
    setWindowTitle(tr("Elektronický manuál – Toranská věž 2000"));
    m_browser->setObjectName(QStringLiteral("Prohlizec"));
    // Links to the web or to mail go to the system's own programs.
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    QToolBar *bar = addToolBar(tr("Navigace"));
    bar->setObjectName(QStringLiteral("Lista"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct Command {
        const char *name;
        QString text;
        QStyle::StandardPixmap icon;
        QKeySequence key;
    };
    const Command commands[] = {
        {"Zpet", tr("Zpět"), QStyle::SP_ArrowBack, QKeySequence::Back},
        {"Vpred", tr("Vpřed"), QStyle::SP_ArrowForward, QKeySequence::Forward},
        {"Obsah", tr("Obsah"), QStyle::SP_DirHomeIcon, QKeySequence(Qt::ALT | Qt::Key_Home)},
        {"Zavrit", tr("Zavřít"), QStyle::SP_DialogCloseButton, QKeySequence(Qt::Key_Escape)},
    };
    QAction *actions[std::size(commands)];
    for (size_t i = 0; i < std::size(commands); ++i) {
        const Command &c = commands[i];
        actions[i] = bar->addAction(style()->standardIcon(c.icon), c.text);
        actions[i]->setObjectName(QLatin1String(c.name));
        actions[i]->setShortcut(c.key);
        actions[i]->setToolTip(QStringLiteral("%1 (%2)").arg(c.text, c.key.toString(QKeySequence::NativeText)));
    }
    connect(actions[0], &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(actions[1], &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(actions[2], &QAction::triggered, m_browser, &QTextBrowser::home);
    connect(actions[3], &QAction::triggered, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, actions[0], &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, actions[1], &QAction::setEnabled);
    actions[0]->setEnabled(false);
    actions[1]->setEnabled(false);
    // The page's own title in the caption's place would hide which program
    // this is; the title goes to the screen reader instead.
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { m_browser->setAccessibleName(m_browser->documentTitle()); });
    resize(kWidth, kHeight);
}

void TManualDialog::openHome(const QUrl &page)
{
    m_browser->clearHistory();
    m_browser->setSource(page);
}
