#pragma once

#include <QWidget>

#include <array>

class ImageList;
class TOfficeButton;
class TTransparentButton2;

// The new-game dialog: a balloon above the assistant with one picture
// button per disk count, 10 down to 3. A count button tells the count
// chosen and closes; "Zpět", Esc or Enter close it without one. The keys
// 3 to 9, and 0 for ten, press the button of that count; Tab or the arrows
// bring the keyboard to a button, and Enter or Space press it.
class THraDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kButtons = 8;

    explicit THraDialog(QWidget *parent = nullptr);

    TTransparentButton2 *countButton(int i) const { return m_buttons[i - 1]; }   // T1..T8
    static int diskCount(int button) { return 11 - button; }                    // T1 = 10 disks
    // The assistant it stands beside (none where it is null).
    void setAssistant(const QWidget *assistant) { m_assistant = assistant; }

public slots:
    void countButtonClick(int button);
    void OfficeButton1Click();

signals:
    void countChosen(int disks);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const QWidget *m_assistant = nullptr;
    ImageList *m_images = nullptr;
    std::array<TTransparentButton2 *, kButtons> m_buttons{};
};
