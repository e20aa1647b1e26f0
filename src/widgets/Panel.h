#pragma once

#include <QColor>
#include <QWidget>

// A panel with the classic one-pixel bevel: raised (light top and left, dark
// bottom and right), lowered, or none.
class Panel : public QWidget
{
    Q_OBJECT
public:
    enum Bevel { NoBevel, Raised, Lowered };

    explicit Panel(QWidget *parent = nullptr, Bevel bevel = NoBevel, const QColor &color = QColor(Qt::lightGray));

    Bevel bevel() const { return m_bevel; }
    void setBevel(Bevel bevel);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);

signals:
    void released(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Bevel m_bevel;
    QColor m_color;
};

// A horizontal line at the top edge of its box: a dark line over a light one.
class BevelLine : public QWidget
{
    Q_OBJECT
public:
    explicit BevelLine(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
