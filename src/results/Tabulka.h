#pragma once

#include <QWidget>

#include <array>

class QKeyEvent;
class QPushButton;
class QStyle;
class QTabWidget;
class QTableView;
class TDataModule1;

// The table of best results: one page per disk count, 3 to 10, each a grid
// of name, moves and date, the fewest moves first. It only reads. Esc
// closes it from anywhere; Ctrl+Tab and Ctrl+PgDn turn the pages.
class TTabulkaDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPages = 8;

    // Shows the results of data (none where it is null).
    explicit TTabulkaDialog(TDataModule1 *data, QWidget *parent = nullptr);

    QTabWidget *pageControl() const { return m_pages; }
    QTableView *grid(int page);   // DBGrid1..8, made when first asked for
    QPushButton *okButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pageStep(int page);
    bool turnsPage(const QKeyEvent *event);
    QTableView *makeGrid(int page);

    TDataModule1 *m_data = nullptr;
    QTabWidget *m_pages = nullptr;
    std::array<QTableView *, kPages> m_grids{};
    QPushButton *m_ok = nullptr;
    QStyle *m_titleStyle = nullptr;   // the grids' title rows'; a child made after them
    bool m_shownOnce = false;
};
