#pragma once

#include <QColor>
#include <QPainterPath>
#include <QImage>
#include "PointerControl.h"

// The colour a transparent control paints as its background: the colour of
// the Panel it lies on, or else its parent's window colour.
QColor parentBackgroundColor(const QWidget *control);

// One of the indicator lights (":/art/led/<name>.png") with the given colour
// made transparent; loaded once.
QImage indicatorPicture(const QString &name, QRgb transparent);

// A flat rounded push button with a small indicator light at its left: the
// light and a darker rim come on under the mouse. Its own Enabled flag greys
// the caption.
class TOfficeButton : public PointerControl
{
    Q_OBJECT
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor ButtonColor READ buttonColor WRITE setButtonColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isControlEnabled WRITE setControlEnabled)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(int RoundSize READ roundSize WRITE setRoundSize)
    Q_PROPERTY(bool Transparent READ isTransparent WRITE setTransparent)
public:
    explicit TOfficeButton(QWidget *parent = nullptr);

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);   // 1 to 3
    QColor buttonColor() const { return m_buttonColor; }
    void setButtonColor(const QColor &color);
    QString caption() const override { return m_caption; }
    void setCaption(const QString &caption);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &color);
    int roundSize() const { return m_roundSize; }
    void setRoundSize(int size);
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    int pressOffset() const { return m_hot && m_pressed ? 1 : 0; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The filled area and the rim of one look, kept while size and settings last.
    struct Outline
    {
        QSize size;
        int borderWidth = -1;
        int roundSize = -1;
        QPainterPath area;
        QPainterPath rim;
    };
    const Outline &outline() const;

    mutable Outline m_outlines[2];  // at rest, hot
    QColor m_borderColor;
    int m_borderWidth = 1;
    QColor m_buttonColor;
    QString m_caption;
    QColor m_fontColor = Qt::black;
    int m_roundSize;
    bool m_transparent = true;
};

// A clickable text line with a round (or triangular) light in front of it:
// the light comes on under the mouse, a dotted frame marks the pressed text.
class TOfficeLabel : public PointerControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isControlEnabled WRITE setControlEnabled)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(QColor LabelColor READ labelColor WRITE setLabelColor)
    Q_PROPERTY(TLEDType LEDType READ ledType WRITE setLedType)
    Q_PROPERTY(bool Transparent READ isTransparent WRITE setTransparent)
public:
    enum TLEDType { RoundLED, TriLEDDown, TriLEDUp };
    Q_ENUM(TLEDType)

    explicit TOfficeLabel(QWidget *parent = nullptr);

    QString caption() const override { return m_caption; }
    bool isLink() const override { return true; }
    void setCaption(const QString &caption);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &color);
    QColor labelColor() const { return m_labelColor; }
    void setLabelColor(const QColor &color);
    TLEDType ledType() const { return m_ledType; }
    void setLedType(TLEDType type);
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // The name of the light the next paint shows ("OFFRND", "ON3UP", ...).
    QString ledName() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void hotChanged() override;
    void pointerForgotten() override;

private:
    QString m_caption;
    QColor m_fontColor = Qt::black;
    QColor m_labelColor;
    TLEDType m_ledType = RoundLED;
    bool m_transparent = true;
    QImage m_led;                   // the "off" light of the LED type: its size places the text

    bool m_erase = false;           // remove the pressed frame at the next paint
};
