#include "CoolForm.h"

#include "RegionData.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {
bool &systemMoveAllowed()
{
    static bool allowed = true;
    return allowed;
}
} // namespace

TCoolForm::TCoolForm(QWidget *form)
    : QWidget(form)
{
    setObjectName(QStringLiteral("CoolForm1"));
    if (form) {
        form->setWindowFlag(Qt::FramelessWindowHint, true);
        setGeometry(form->rect());
        form->installEventFilter(this);
    }
}

void TCoolForm::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_region.reset();
    update();
}

void TCoolForm::setCenter(bool center)
{
    m_center = center;
    update();
}

bool TCoolForm::loadMask2(const QByteArray &data)
{
    m_region = RegionData::parseRegion(data);
    QWidget *form = window();
    if (!m_region) {
        if (form != this)
            form->clearMask();
        return false;
    }
    if (form != this) {
        form->setMask(*m_region);
        form->update();
    }
    return true;
}

QByteArray TCoolForm::mask2() const
{
    return m_region ? RegionData::write(*m_region) : RegionData::writeNoRegion();
}

QPoint TCoolForm::pictureOrigin() const
{
    if (!m_center)
        return QPoint(0, 0);
    // Integer division toward zero, as the picture control centres.
    return QPoint((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2);
}

void TCoolForm::setSystemMoveAllowed(bool allowed) { systemMoveAllowed() = allowed; }

bool TCoolForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void TCoolForm::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.drawImage(pictureOrigin(), m_picture);
}

void TCoolForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QWidget *form = window();
    m_systemMove = false;
    m_dragging = false;
    // The window system's own move where it has one; a bare X server without
    // a window manager has none, and then the window follows the mouse here.
    if (systemMoveAllowed() && form->windowHandle() && form->windowHandle()->startSystemMove()) {
        m_systemMove = true;
    } else {
        m_dragging = true;
        m_pressGlobal = event->globalPosition().toPoint();
        m_pressWindowPos = form->pos();
    }
    event->accept();
}

void TCoolForm::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        window()->move(m_pressWindowPos + event->globalPosition().toPoint() - m_pressGlobal);
    event->accept();
}

void TCoolForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (m_dragging)
            window()->move(m_pressWindowPos + event->globalPosition().toPoint() - m_pressGlobal);
        m_dragging = false;
    }
    event->accept();
}

void TCoolForm::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    event->accept();
}
