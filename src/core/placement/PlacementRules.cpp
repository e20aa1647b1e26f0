#include "PlacementRules.h"

namespace PlacementRules {

Margins cornerMargins(DialogRow row)
{
    switch (row) {
    case DialogRow::NewGame:
    case DialogRow::Result:
    case DialogRow::WelcomeFromAssistant:
        return kCreationMargins;
    case DialogRow::Welcome:
    case DialogRow::EndQuestion:
    case DialogRow::Help:
    case DialogRow::ClearQuestion:
        break;
    }
    return kStartMargins;
}

bool raisesAfterMove(DialogRow row)
{
    return row == DialogRow::NewGame || row == DialogRow::Result || row == DialogRow::WelcomeFromAssistant;
}

QPoint cornerPosition(QSize screen, QSize assistantClient, Margins margins)
{
    return QPoint(screen.width() - assistantClient.width() - margins.right,
                  screen.height() - assistantClient.height() - margins.bottom);
}

bool needsCorner(DialogRow row, QSize dialog, const QRect &assistant, QSize assistantClient, QSize screen)
{
    const int left = assistant.left();
    const int top = assistant.top();
    const int width = assistant.width();
    switch (row) {
    case DialogRow::Welcome:
        return dialog.width() - width > left || top < dialog.height() + 5;
    case DialogRow::NewGame:
    case DialogRow::Result:
    case DialogRow::WelcomeFromAssistant:
        return dialog.width() - width + 10 > left || top < dialog.height() - 28;
    case DialogRow::EndQuestion:
    case DialogRow::ClearQuestion:
        return left < dialog.width() - 45 || screen.height() - assistantClient.height() - 25 < top;
    case DialogRow::Help:
        return dialog.width() - width + 30 > left || top < dialog.height() + 10;
    }
    return false;
}

QPoint dialogPosition(DialogRow row, QSize dialog, const QRect &assistant)
{
    switch (row) {
    case DialogRow::EndQuestion:
    case DialogRow::ClearQuestion:
        return QPoint(assistant.left() - dialog.width() + 45,
                      assistant.top() + assistant.height() - dialog.height());
    case DialogRow::Help:
        return QPoint(assistant.left() + assistant.width() - dialog.width() - 40,
                      assistant.top() - dialog.height() + 30);
    case DialogRow::Welcome:
    case DialogRow::NewGame:
    case DialogRow::Result:
    case DialogRow::WelcomeFromAssistant:
        break;
    }
    return QPoint(assistant.left() + assistant.width() - dialog.width() - 38, assistant.top() - dialog.height() + 30);
}

QPoint centredPosition(QSize screen, QSize window)
{
    return QPoint(screen.width() / 2 - window.width() / 2, screen.height() / 2 - window.height() / 2);
}

QPoint noticePosition(const QRect &assistant, QSize notice)
{
    return QPoint(assistant.left() - notice.width() + 35, assistant.top() + assistant.height() - notice.height());
}

} // namespace PlacementRules
