#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the assistant and the balloons beside it go: the assistant moves to
// the lower right corner of the screen when a dialog would not fit beside
// it, and each dialog then stands at a fixed offset from it. Pure geometry;
// Placement moves the windows. Sizes are outer window sizes unless they say
// client; the screen is the whole primary screen.
namespace PlacementRules {

// The dialogs placed beside the assistant. WelcomeFromAssistant is the
// welcome dialog opened by a double click on the assistant.
enum class DialogRow { Welcome, NewGame, EndQuestion, Help, Result, ClearQuestion, WelcomeFromAssistant };

struct Margins
{
    int right;
    int bottom;
};

constexpr Margins kCreationMargins{12, 30};
constexpr Margins kStartMargins{7, 25};

// The outer sizes of the balloons that stand beside the assistant.
constexpr QSize kWelcomeSize(406, 140);
constexpr QSize kNewGameSize(203, 214);
constexpr QSize kEndQuestionSize(212, 98);
constexpr QSize kHelpSize(246, 343);
constexpr QSize kResultSize(252, 176);
constexpr QSize kClearQuestionSize(272, 98);
constexpr QSize kNoticeSize(320, 97);

Margins cornerMargins(DialogRow row);
// After a move these rows also bring the assistant to the front.
bool raisesAfterMove(DialogRow row);

// The assistant's corner place: left = screen width - client width - right
// margin, top = screen height - client height - bottom margin.
QPoint cornerPosition(QSize screen, QSize assistantClient, Margins margins);

// The test of the row: true when the assistant must first move to its corner.
bool needsCorner(DialogRow row, QSize dialog, const QRect &assistant, QSize assistantClient, QSize screen);

// Where the dialog of the row stands beside the assistant.
QPoint dialogPosition(DialogRow row, QSize dialog, const QRect &assistant);

// The second copy: the assistant centred on the screen (integer division),
// and the notice 35 pixels into its left edge with the bottom edges level.
QPoint centredPosition(QSize screen, QSize window);
QPoint noticePosition(const QRect &assistant, QSize notice);

} // namespace PlacementRules
