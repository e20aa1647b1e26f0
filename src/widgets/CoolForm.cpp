#include "CoolForm.h"

#include "core/drawing/RegionData.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>

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
    const QSize size = m_picture.deviceIndependentSize().toSize();
    return QPoint((width() - size.width()) / 2, (height() - size.height()) / 2);
}

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
    m_armed = false;
    m_dragging = false;
    if (event->button() == Qt::LeftButton) {
        // The move starts only once the pointer has gone a few pixels with
        // the button held: a press alone is the start of a click or a double
        // click.
        m_armed = true;
        m_pressGlobal = event->globalPosition().toPoint();
        m_pressWindowPos = window()->pos();
    }
    event->accept();
}

void TCoolForm::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        m_armed = m_dragging = false;
        event->accept();
        return;
    }
    const QPoint offset = event->globalPosition().toPoint() - m_pressGlobal;
    if (m_armed && offset.manhattanLength() >= QGuiApplication::styleHints()->startDragDistance()) {
        m_armed = false;
        m_dragging = true;
    }
    // The window follows the pointer itself, also under a window manager:
    // the manager's own move would start from where the pointer is now and
    // leave the figure behind by the distance already gone, and handing it
    // the press at once would swallow double clicks.
    if (m_dragging)
        window()->move(m_pressWindowPos + offset);
    event->accept();
}

void TCoolForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (m_dragging)
            window()->move(m_pressWindowPos + event->globalPosition().toPoint() - m_pressGlobal);
        m_dragging = false;
        m_armed = false;
    }
    event->accept();
}

void TCoolForm::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    event->accept();
}
