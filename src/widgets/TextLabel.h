#pragma once

#include <QLabel>

// A label of the forms: transparent unless told otherwise, no text
// interaction, and it reports mouse releases like the other controls.
class TextLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TextLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void released(Qt::MouseButton button);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
