#pragma once

#include <QColor>
#include <QWidget>

// A plain figure with a one-pixel outline, drawn as the classic shape
// control draws it: rectangle, rounded rectangle (corner ellipse a quarter of
// the shorter side) or circle. Takes no focus; its hint is its status tip.
class Shape : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Rectangle, RoundRect, Circle };

    explicit Shape(Kind kind, QWidget *parent = nullptr);
    Shape(Kind kind, const QColor &brush, QWidget *parent);

    Kind kind() const { return m_kind; }
    QColor brushColor() const { return m_brush; }
    void setBrushColor(const QColor &color);
    QColor penColor() const { return m_pen; }
    void setPenColor(const QColor &color);

signals:
    void released(Qt::MouseButton button);
    void brushColorChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Kind m_kind;
    QColor m_brush = Qt::white;
    QColor m_pen = Qt::black;
};
