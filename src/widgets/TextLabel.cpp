#include "TextLabel.h"

#include <QMouseEvent>

TextLabel::TextLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
}

void TextLabel::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button());
    QLabel::mouseReleaseEvent(event);
}
