#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSize>

#include "PointerControl.h"

// Pictures of one size, shared by the controls that show them. Changing the
// contents emits changed(), so that every user rebuilds what it derived.
class ImageList : public QObject
{
    Q_OBJECT
public:
    explicit ImageList(QSize size, QObject *parent = nullptr);

    QSize size() const { return m_size; }
    int count() const { return int(m_images.size()); }
    // The picture at index, or a null image outside the list.
    QImage image(int index) const;

    // Adds a picture (scaled to the list's size if it differs); returns its index.
    int add(const QImage &image);
    // Adds a picture whose pixels of the colour transparent become transparent.
    int addMasked(const QImage &image, QRgb transparent);
    void replace(int index, const QImage &image);
    void clear();

signals:
    void changed();

private:
    QImage fitted(const QImage &image) const;

    QSize m_size;
    QList<QImage> m_images;
};

// A window-less picture button in the manner of a flat toolbar button: grey
// and unframed at rest, in colour in a raised frame under the mouse, sunk in
// a lowered frame and moved by one pixel while pressed.
class TTransparentButton2 : public PointerControl
{
    Q_OBJECT
    Q_PROPERTY(int ActiveIndex READ activeIndex WRITE setActiveIndex)
    Q_PROPERTY(int DownIndex READ downIndex WRITE setDownIndex)
    Q_PROPERTY(int GrayIndex READ grayIndex WRITE setGrayIndex)
    Q_PROPERTY(int DisabledIndex READ disabledIndex WRITE setDisabledIndex)
    Q_PROPERTY(bool AutoGray READ autoGray WRITE setAutoGray)
    Q_PROPERTY(TFrameStyle FrameStyle READ frameStyle WRITE setFrameStyle)
    Q_PROPERTY(bool Transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(bool ShowPressed READ showPressed WRITE setShowPressed)
    Q_PROPERTY(bool Down READ isDown WRITE setDown)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QFont HiFont READ hiFont WRITE setHiFont)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(QColor HiFontColor READ hiFontColor WRITE setHiFontColor)
    Q_PROPERTY(TTextAlign TextAlign READ textAlign WRITE setTextAlign)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
public:
    enum TFrameStyle { fsRegular, fsIndent, fsExplorer, fsNone, fsLight, fsDark, fsMono };
    Q_ENUM(TFrameStyle)
    enum TTextAlign { ttaTopLeft, ttaTop, ttaTopRight, ttaRight, ttaBottomRight, ttaBottom,
                      ttaBottomLeft, ttaLeft, ttaCenter };
    Q_ENUM(TTextAlign)
    // The entries of the internal picture list.
    enum Picture { ActivePicture, DisabledPicture, DownPicture, GrayPicture };

    explicit TTransparentButton2(QWidget *parent = nullptr);

    // Image lists are not owned; a list that is destroyed counts as none.
    ImageList *activeImage() const { return m_active; }
    void setActiveImage(ImageList *list);
    int activeIndex() const { return m_activeIndex; }
    void setActiveIndex(int index);
    ImageList *downImage() const { return m_down; }
    void setDownImage(ImageList *list);
    int downIndex() const { return m_downIndex; }
    void setDownIndex(int index);
    ImageList *grayImage() const { return m_gray; }
    void setGrayImage(ImageList *list);
    int grayIndex() const { return m_grayIndex; }
    void setGrayIndex(int index);
    ImageList *disabledImage() const { return m_disabled; }
    void setDisabledImage(ImageList *list);
    int disabledIndex() const { return m_disabledIndex; }
    void setDisabledIndex(int index);

    bool autoGray() const { return m_autoGray; }
    void setAutoGray(bool autoGray);
    TFrameStyle frameStyle() const { return m_frameStyle; }
    void setFrameStyle(TFrameStyle style);
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    bool showPressed() const { return m_showPressed; }
    void setShowPressed(bool show);
    bool isDown() const { return m_downLatched; }
    void setDown(bool down);
    QString caption() const override { return m_caption; }
    void setCaption(const QString &caption);   // "&" marks the Alt accelerator
    // The caption's font at rest is the widget's font; under the mouse HiFont,
    // which follows the font until it is set.
    QFont hiFont() const { return m_hiFontSet ? m_hiFont : font(); }
    void setHiFont(const QFont &font);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &color);
    QColor hiFontColor() const { return m_hiFontColor; }
    void setHiFontColor(const QColor &color);
    TTextAlign textAlign() const { return m_textAlign; }
    void setTextAlign(TTextAlign align);
    int spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QMenu *popUpMenu() const { return m_popUpMenu; }
    void setPopUpMenu(QMenu *menu);

    // The internal picture list (empty without an active picture).
    QImage picture(Picture which) const;
    // The entry the next paint draws, and where.
    Picture currentPicture() const;
    QPoint picturePosition() const;

    void activate() override;

    bool isTracking() const { return m_tracking; }
    bool isHovered() const { return isHot(); }

    // The generated pictures: embossed for disabled, grey levels for at rest.
    static QImage embossedPicture(const QImage &active);
    static QImage greyPicture(const QImage &active);

public slots:
    void click();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void hotChanged() override;
    void pointerForgotten() override;

private slots:
    void forgetList(QObject *gone);

private:
    void watch(ImageList *list);
    void rebuildPictures();
    const QList<QImage> &pictures() const;
    void releaseTracking(Qt::MouseButton button, const QPoint &pos);
    void emitClicked();
    void paintFrame(QPainter &p);
    void paintCaption(QPainter &p);
    void updateAccelerator();

    QPointer<ImageList> m_active, m_down, m_gray, m_disabled;
    int m_activeIndex = -1, m_downIndex = -1, m_grayIndex = -1, m_disabledIndex = -1;
    // Active, disabled, down, grey: made when first needed after a change
    // of the lists or indexes, not at every one of the setters' calls.
    mutable QList<QImage> m_pictures;
    mutable bool m_picturesStale = false;

    bool m_autoGray = true;
    TFrameStyle m_frameStyle = fsExplorer;
    bool m_transparent = true;
    int m_borderWidth = 1;
    bool m_showPressed = true;
    bool m_downLatched = false;
    QString m_caption;
    QFont m_hiFont;
    bool m_hiFontSet = false;
    QColor m_fontColor = Qt::black;
    QColor m_hiFontColor = Qt::black;
    TTextAlign m_textAlign = ttaCenter;
    int m_spacing = 2;
    bool m_wordWrap = false;
    QColor m_color;
    QPointer<QMenu> m_popUpMenu;

    // While a button is held the pressed look follows the pointer in and out.
    bool m_tracking = false;
    int m_shortcutId = 0;
};
