#include "Pomocnik.h"

#include "Placement.h"
#include "services/ErrorReport.h"
#include "services/ProgramEnd.h"
#include "core/settings/Settings.h"
#include "core/sound/SoundCue.h"
#include "core/drawing/Colors.h"
#include "widgets/Accessibility.h"
#include "widgets/CoolForm.h"
#include "core/drawing/Pictures.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShowEvent>

namespace {
QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TPomocnikDialog::TPomocnikDialog(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("PomocnikDialog"));
    Accessibility::setRole(this, QAccessible::Window);
    setWindowTitle(tr("Pomocník"));
    setStatusTip(tr("Pomocník KQ2000"));
    // Closing the assistant never ends a program whose main window is
    // another one; the second copy quits on closed() itself.
    setAttribute(Qt::WA_QuitOnClose, false);
    ProgramEnd::watch();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(Colors::Silver));
    setPalette(pal);
    setFixedSize(kClientSize, kClientSize);

    m_coolForm = new TCoolForm(this);
    m_coolForm->setObjectName(QStringLiteral("CoolForm1"));
    m_coolForm->setStatusTip(tr("Pomocník KQ2000"));
    Accessibility::setRole(m_coolForm, QAccessible::Graphic, true);
    m_coolForm->setCenter(true);
    m_coolForm->setPicture(Pictures::image(QStringLiteral(":/art/assistant.png")));
    m_coolForm->loadMask2(resource(QStringLiteral(":/art/assistant.mask2")));
    connect(m_coolForm, &TCoolForm::doubleClicked, this, &TPomocnikDialog::CoolForm1DblClick);

    // Not yet shown, so only moved.
    Placement::corner(this, PlacementRules::kCreationMargins, false);
}

void TPomocnikDialog::showAssistant()
{
    show();
    raise();
}

void TPomocnikDialog::CoolForm1DblClick()
{
    const QSize welcome = m_welcome ? Placement::outerRect(m_welcome).size() : PlacementRules::kWelcomeSize;
    Placement::applyRule(PlacementRules::DialogRow::WelcomeFromAssistant, this, welcome);
    showAssistant();
    emit welcomeRequested();
}

void TPomocnikDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window restored by the window system is no new show.
    if (event->spontaneous())
        return;
    ErrorReport::guard(this, [] {
        PlaySoundCue(QStringLiteral("PomocnikStart.wav"));
        Settings::setPomocnik(QStringLiteral("1"));
    });
}

void TPomocnikDialog::closeEvent(QCloseEvent *event)
{
    // Accepting only hides the window: it lives until the program ends.
    event->accept();
    // Ending the program closes every window; that is no goodbye of the
    // assistant's, and it comes back at the next start.
    if (ProgramEnd::isEnding())
        return;
    ErrorReport::guard(this, [] {
        PlaySoundCue(QStringLiteral("PomocnikKonec.wav"));
        Settings::setPomocnik(QStringLiteral("0"));
    });
    emit closed();
}

// With the keyboard on the figure, Enter or Space do what a double click does.
void TPomocnikDialog::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && !event->isAutoRepeat())
        CoolForm1DblClick();
    else
        QWidget::keyPressEvent(event);
}

void TPomocnikDialog::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        CoolForm1DblClick();
}
