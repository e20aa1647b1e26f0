#pragma once

#include <QWidget>

class QLabel;
class TGradProgress;

// The splash window shown while the program starts: title lettering, the
// registered user and organisation, and the progress bar Metr.
class TSpusteniDialog : public QWidget
{
    Q_OBJECT
public:
    explicit TSpusteniDialog(QWidget *parent = nullptr);

    TGradProgress *metr() const { return m_metr; }
    QLabel *ownerLabel() const { return m_label4; }
    QLabel *organizationLabel() const { return m_label5; }

private:
    TGradProgress *m_metr = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label5 = nullptr;
};
