#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include "core/drawing/GradientMath.h"

// Text filled with a colour gradient and nothing else: outside the letters
// the parent shows through. Resizes itself to its text whenever it paints,
// so the width it has beforehand is the width the words wrap at.
class TGradText : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor BeginColor READ beginColor WRITE setBeginColor)
    Q_PROPERTY(QColor EndColor READ endColor WRITE setEndColor)
    Q_PROPERTY(TGradientStyle GradientStyle READ gradientStyle WRITE setGradientStyle)
    Q_PROPERTY(QStringList Lines READ lines WRITE setLines)
    Q_PROPERTY(TJustification Justification READ justification WRITE setJustification)
public:
    enum TGradientStyle { gsHorizontal, gsVertical, gsRectangle, gsVertCenter, gsHorizCenter };
    Q_ENUM(TGradientStyle)
    enum TJustification { jLeft, jCenter, jRight };
    Q_ENUM(TJustification)

    explicit TGradText(QWidget *parent = nullptr);

    QColor beginColor() const { return m_begin; }
    void setBeginColor(const QColor &color);
    QColor endColor() const { return m_end; }
    void setEndColor(const QColor &color);
    TGradientStyle gradientStyle() const { return m_style; }
    void setGradientStyle(TGradientStyle style);
    QStringList lines() const { return m_lines; }
    void setLines(const QStringList &lines);   // an empty list is ignored
    TJustification justification() const { return m_justification; }
    void setJustification(TJustification justification);
    // The lettering's font is the widget's font (setFont repaints too).

    // The measured size of the text at the current width.
    QSize textSize() const;
    QSize sizeHint() const override { return textSize(); }

    // The lettering alone, W x H, letters in gradient colours on transparent.
    QImage lettering() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString text() const;
    int textFlags() const;
    void fitToText();
    void changed();

    QColor m_begin;
    QColor m_end;
    TGradientStyle m_style = gsVertical;
    QStringList m_lines;
    TJustification m_justification = jCenter;
    QImage m_painted;   // the lettering as last painted, until something changes
};
