#pragma once

#include <QColor>
#include <QWidget>

// A progress bar whose filled part is a colour gradient stretched over the
// filled length. A new position paints at once (synchronously), so the bar
// moves even while no events are processed, as during start-up.
class TGradProgress : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TStyle Style READ style WRITE setStyle)
    Q_PROPERTY(TBevelStyleExt BevelStyle READ bevelStyle WRITE setBevelStyle)
    Q_PROPERTY(int BevelWidth READ bevelWidth WRITE setBevelWidth)
    Q_PROPERTY(QColor StartColor READ startColor WRITE setStartColor)
    Q_PROPERTY(QColor EndColor READ endColor WRITE setEndColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(int Position READ position WRITE setPosition)
    Q_PROPERTY(int MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int Step READ step WRITE setStep)
    Q_PROPERTY(bool ShowPercent READ showPercent WRITE setShowPercent)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
public:
    enum TStyle { gsVertical, gsHorizontal };
    Q_ENUM(TStyle)
    enum TBevelStyleExt { bsLowered, bsRaised, bsNone };
    Q_ENUM(TBevelStyleExt)

    explicit TGradProgress(QWidget *parent = nullptr);

    TStyle style() const { return m_style; }
    void setStyle(TStyle style);
    TBevelStyleExt bevelStyle() const { return m_bevelStyle; }
    void setBevelStyle(TBevelStyleExt style);
    int bevelWidth() const { return m_bevelWidth; }
    // 1 to 10, and only while the bevel leaves 4 pixels of each side free.
    void setBevelWidth(int width);
    QColor startColor() const { return m_start; }
    void setStartColor(const QColor &color);
    QColor endColor() const { return m_end; }
    void setEndColor(const QColor &color);
    QColor backColor() const { return m_back; }
    void setBackColor(const QColor &color);
    int position() const { return m_position; }
    // Ignores the current value and negative ones, clamps to maxValue and
    // repaints at once.
    void setPosition(int position);
    int maxValue() const { return m_maxValue; }
    void setMaxValue(int maxValue);
    int step() const { return m_step; }
    void setStep(int step) { m_step = step; }
    bool showPercent() const { return m_showPercent; }
    void setShowPercent(bool show);
    // The percentage's colour; its face is the widget's font.
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &color);

    // Filled length in pixels for the current position.
    int filledLength() const;

public slots:
    void Stepit();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect innerRect() const;

    TStyle m_style = gsHorizontal;
    TBevelStyleExt m_bevelStyle = bsLowered;
    int m_bevelWidth = 1;
    QColor m_start;
    QColor m_end;
    QColor m_back;
    int m_position = 0;
    int m_maxValue = 100;
    int m_step = 1;
    bool m_showPercent = true;
    QColor m_fontColor = Qt::white;
};
