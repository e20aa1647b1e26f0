#pragma once

#include "widgets/Panel.h"

class QCalendarWidget;
class QTreeView;

// The boss screen "Sef": a calendar, a bar chart and a folder tree that
// cover the play area while the game hides behind them.
class Sef : public Panel
{
    Q_OBJECT
public:
    static const QString kCaption;

    explicit Sef(QWidget *parent = nullptr);

    QCalendarWidget *monthCalendar() const { return m_calendar; }
    QTreeView *directoryOutline() const { return m_tree; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QCalendarWidget *m_calendar = nullptr;
    QTreeView *m_tree = nullptr;
};
