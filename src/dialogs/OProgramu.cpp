#include "OProgramu.h"

#include "Placement.h"
#include "services/DialogSupport.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "services/Pacing.h"
#include "core/sound/SoundCue.h"
#include "core/system/SystemInfo.h"
#include "core/drawing/Colors.h"
#include "widgets/Accessibility.h"
#include "widgets/GradText.h"
#include "widgets/Panel.h"
#include "widgets/Placed.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

QString TOProgramuDialog::firstPageHeading() { return tr("Registrovaný uživatel :"); }
QString TOProgramuDialog::thanksHeading() { return tr("Poděkování :"); }

namespace {

constexpr QSize kClientSize(323, 244);
constexpr QSize kPictureSize(63, 62);
constexpr int kPageLeft = 1;

std::function<TOProgramuDialog::Registration()> &registrationSource()
{
    static std::function<TOProgramuDialog::Registration()> source;
    return source;
}

TOProgramuDialog::Registration registration()
{
    if (registrationSource())
        return registrationSource()();
    return {SystemInfo::registeredOwner(), SystemInfo::registeredOrganization()};
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &geometry,
                    const QString &hint)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TOProgramuDialog::TOProgramuDialog(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("OProgramuDialog"));
    setFixedSize(kClientSize);
    Accessibility::setRole(this, QAccessible::Dialog);
    setStatusTip(tr("Informace o programu"));
    setFont(Fonts::sansSerif(11));
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(Colors::BtnFace));
    face.setColor(QPalette::WindowText, QColor(Colors::Black));
    setPalette(face);

    Panel *panel1 = placed(new Panel(this, Panel::Raised, QColor(Colors::Silver)),
                           QStringLiteral("Panel1"), QRect(QPoint(0, 0), kClientSize));
    Panel *panel2 = placed(new Panel(panel1, Panel::Raised, QColor(Colors::Silver)),
                           QStringLiteral("Panel2"), QRect(2, 2, 319, 239));

    auto *image = new QLabel(panel2);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(QRect(QPoint(3, 3), kPictureSize));
    const QPixmap figure = DialogSupport::transparentPicture(QStringLiteral(":/art/assistant.png"), Colors::White);
    QPixmap shrunk = figure.scaled(kPictureSize * figure.devicePixelRatio(), Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
    shrunk.setDevicePixelRatio(figure.devicePixelRatio());
    image->setPixmap(shrunk);
    DialogSupport::titleLettering(panel2, "GradText1", QStringLiteral("Toranská věž 2000"), QRect(68, 0, 247, 36), 32);
    DialogSupport::titleLettering(panel2, "GradText2", tr("verze 5.0"), QRect(71, 30, 69, 22), 19);

    const QFont text = Fonts::times(13);
    const QFont bold = Fonts::times(13, true);
    // The one-line texts size themselves, as the installed serif runs a
    // little wider than the boxes were drawn for. The four blanks of the
    // maker's line leave room for the sign laid over them.
    DialogSupport::label(panel2, "Label7", QStringLiteral("Copyright    1999-2000 Morvak Design"),
                         QRect(71, 52, 0, 0), text);
    DialogSupport::label(panel2, "Label12", QStringLiteral("©"), QRect(126, 52, 10, 15), text);
    auto *bevel2 = new BevelLine(panel2);
    bevel2->setObjectName(QStringLiteral("Bevel2"));
    bevel2->setGeometry(5, 72, 308, 9);
    m_label1 = DialogSupport::label(panel2, "Label1", firstPageHeading(), QRect(5, 76, 0, 0), text);

    m_panel3 = placed(new Panel(panel2, Panel::Lowered, QColor(Colors::Silver)),
                      QStringLiteral("Panel3"), QRect(5, 96, 308, 65));
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    m_label4 = DialogSupport::label(m_panel3, "Label4", QString(), QRect(6, 5, 296, 15), bold, centred);
    m_label5 = DialogSupport::label(m_panel3, "Label5", QString(), QRect(6, 25, 296, 15), bold, centred);

    // The thanks page waits just below the box's visible area; the box clips it.
    m_panel4 = placed(new Panel(m_panel3, Panel::NoBevel, QColor(Colors::Silver)),
                      QStringLiteral("Panel4"), QRect(kPageLeft, kPageHiddenTop, 306, 63));
    DialogSupport::label(m_panel4, "Label2", tr("Manželce Janě"), QRect(5, 1, 0, 0), bold);
    DialogSupport::label(m_panel4, "Label8", tr("- za trpělivost, lásku a porozumění"),
                         QRect(5, 16, 0, 0), text);
    DialogSupport::label(m_panel4, "Label3", tr("Tomáši Krejčímu"), QRect(5, 33, 0, 0), bold);
    DialogSupport::label(m_panel4, "Label9", tr("- za testování a distribuci programů Morvak Design  '99"),
                         QRect(5, 46, 0, 0), text);

    const QFont small = Fonts::times(12);
    DialogSupport::label(panel2, "Label11", QString(), QRect(11, 166, 297, 15), small);
    auto *bevel1 = new BevelLine(panel2);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setGeometry(6, 184, 308, 9);
    DialogSupport::label(panel2, "Label6", QString(), QRect(4, 196, 229, 33), small, centred, true);

    m_button1 = button(panel2, "Button1", tr("Ok"), QRect(238, 210, 75, 25),
                       tr("Uzavře dialogové okno s informacemi o programu"));
    m_button2 = button(panel2, "Button2", QStringLiteral(">>"), QRect(277, 190, 36, 17), tr("Poděkování"));
    m_button3 = button(panel2, "Button3", QStringLiteral("<<"), QRect(238, 190, 36, 17),
                       tr("Registrovaný uživatel"));
    m_button3->setEnabled(false);
    // The arrows are read by what they turn to.
    m_button2->setAccessibleName(m_button2->statusTip());
    m_button3->setAccessibleName(m_button3->statusTip());
    for (QPushButton *b : {m_button1, m_button2, m_button3})
        b->installEventFilter(this);
    connect(m_button1, &QPushButton::clicked, this, &TOProgramuDialog::Button1Click);
    connect(m_button2, &QPushButton::clicked, this, &TOProgramuDialog::Button2Click);
    connect(m_button3, &QPushButton::clicked, this, &TOProgramuDialog::Button3Click);
}

void TOProgramuDialog::setRegistrationForTesting(std::function<Registration()> source)
{
    registrationSource() = std::move(source);
}

QWidget *TOProgramuDialog::thanksPage() const { return m_panel4; }

void TOProgramuDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    ErrorReport::guard(this, [this] { showSteps(); });
}

void TOProgramuDialog::showSteps()
{
    const QSize screen = Placement::screenSize();
    const QSize outer = Placement::outerRect(this).size();
    move((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
    m_label1->setText(firstPageHeading());
    m_panel4->move(kPageLeft, kPageHiddenTop);
    m_button2->setEnabled(true);
    m_button3->setEnabled(false);
    // Read afresh each time: the registration may have changed meanwhile.
    const Registration registered = registration();
    m_label5->setText(registered.organisation);
    m_label4->setText(registered.owner);
    activateWindow();
    m_button1->setFocus();
}

void TOProgramuDialog::Button1Click() { close(); }

void TOProgramuDialog::Button2Click()
{
    ErrorReport::guard(this, [this] { turnPage(true); });
}

void TOProgramuDialog::Button3Click()
{
    ErrorReport::guard(this, [this] { turnPage(false); });
}

void TOProgramuDialog::turnPage(bool toThanks)
{
    m_label1->setText(toThanks ? thanksHeading() : firstPageHeading());
    // Swapped before the slide, so the button pressed cannot be pressed again
    // while its page moves.
    m_button3->setEnabled(toThanks);
    m_button2->setEnabled(!toThanks);
    PlaySoundCue(QStringLiteral("Lista.wav"));

    Pacing::Stepper stepper(Pacing::kPageStepMicros);
    if (toThanks) {
        // Sliding up only covers more of the box: the page alone is repainted.
        for (int top = kPageHiddenTop; top >= kPageShownTop; --top)
            stepper.moveTo(m_panel4, QPoint(kPageLeft, top));
    } else {
        // Sliding down uncovers the first page, so the whole box is repainted.
        for (int top = kPageShownTop; top <= kPageHiddenTop; ++top) {
            stepper.moveTo(m_panel4, QPoint(kPageLeft, top), false);
            m_panel3->repaint();
        }
    }
}

bool TOProgramuDialog::isCloseKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

void TOProgramuDialog::keyPressEvent(QKeyEvent *event)
{
    if (isCloseKey(event->key()))
        close();
    else
        QWidget::keyPressEvent(event);
}

bool TOProgramuDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter and Esc close the dialog whichever of its buttons has the focus;
    // Enter never presses ">>" or "<<".
    if (event->type() == QEvent::KeyPress && isCloseKey(static_cast<QKeyEvent *>(event)->key())
        && (watched == m_button1 || watched == m_button2 || watched == m_button3)) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
