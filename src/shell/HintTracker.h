#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

// The application's current hint: the hint (status tip) of the control under
// the mouse pointer or of its nearest enclosing control that has one, or the
// hint of the highlighted menu item, or of the control just reached by Tab.
// One tracker serves the whole program.
class HintTracker : public QObject
{
    Q_OBJECT
public:
    explicit HintTracker(QObject *parent = nullptr);

    QString hint() const { return m_hint; }

    // The hint shown for w: its own, or the nearest ancestor's that has one.
    static QString hintOf(const QWidget *w);

    // A control with no text of its own (a disk, a part of a post, a picture
    // button) takes its hint as its accessible name; windows with a title,
    // labels, buttons and links with a text keep the names they have. Done for every widget as it is polished and again
    // when the pointer enters it, so that a changed hint is followed.
    static void nameFromHint(QWidget *w);

    // Menu items report their hints while highlighted.
    void watchMenu(QMenu *menu);

signals:
    void hintChanged(const QString &hint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setHint(const QString &hint);

    QString m_hint;
};
