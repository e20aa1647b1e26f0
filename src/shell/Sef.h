#pragma once

#include "widgets/Panel.h"

#include <QDate>

class QCalendarWidget;
class QTreeView;

// The boss screen "Sef": a calendar, a bar chart and a folder tree that
// cover the play area while the game hides behind them.
class Sef : public Panel
{
    Q_OBJECT
public:
    static QString caption();   // the main window's while the screen is shown

    explicit Sef(QWidget *parent = nullptr);

    // The calendar is made when the screen is first shown (or asked for);
    // until then it only keeps the date it is to show.
    QCalendarWidget *monthCalendar();
    void setCalendarDate(const QDate &date);
    QTreeView *directoryOutline();   // made, like the calendar, when first shown

protected:
    void showEvent(QShowEvent *event) override;

private:
    Panel *m_calendarPanel = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QDate m_date;
    Panel *m_treePanel = nullptr;
    QTreeView *m_tree = nullptr;
};
