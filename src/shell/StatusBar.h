#pragma once

#include <QWidget>

class QLabel;

// The status line "StavovyRadek": two sunken panels, 450 and the rest wide.
// The first shows the current hint; the window puts its own labels on it.
class StatusBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kFirstPanelWidth = 450;

    explicit StatusBar(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};
