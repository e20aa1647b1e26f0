#include "core/placement/PlacementRules.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace PlacementRules;
Q_DECLARE_METATYPE(PlacementRules::DialogRow)

namespace {
constexpr QSize kClient(104, 104);
constexpr QSize kScreen(1024, 768);
QRect assistantAt(int left, int top) { return QRect(QPoint(left, top), kClient); }
} // namespace

class PlacementRulesTest : public QObject
{
    Q_OBJECT
private slots:
    void theAssistantMovesOnlyWhenTheDialogWouldNotFit_data();
    void theAssistantMovesOnlyWhenTheDialogWouldNotFit();
    void eachDialogSendsTheAssistantToItsCorner_data();
    void eachDialogSendsTheAssistantToItsCorner();
    void dialogsStandBesideTheAssistant_data();
    void dialogsStandBesideTheAssistant();
    void anAssistantInItsCornerNeedsNoMove_data();
    void anAssistantInItsCornerNeedsNoMove();
    void theSecondCopyCentresTheAssistantWithTheNoticeOverlappingIt_data();
    void theSecondCopyCentresTheAssistantWithTheNoticeOverlappingIt();
};

// Each row's test at its edges: one pixel either side of each bound.
void PlacementRulesTest::theAssistantMovesOnlyWhenTheDialogWouldNotFit_data()
{
    QTest::addColumn<DialogRow>("row");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QRect>("assistant");
    QTest::addColumn<bool>("moves");
    // welcome: D.w - a.w > left, or top < D.h + 5
    QTest::newRow("welcome fits") << DialogRow::Welcome << kWelcomeSize << assistantAt(302, 145) << false;
    QTest::newRow("welcome too far left") << DialogRow::Welcome << kWelcomeSize << assistantAt(301, 145) << true;
    QTest::newRow("welcome too high") << DialogRow::Welcome << kWelcomeSize << assistantAt(302, 144) << true;
    // new game: D.w - a.w + 10 > left, or top < D.h - 28
    QTest::newRow("new game fits") << DialogRow::NewGame << kNewGameSize << assistantAt(109, 186) << false;
    QTest::newRow("new game too far left") << DialogRow::NewGame << kNewGameSize << assistantAt(108, 186) << true;
    QTest::newRow("new game too high") << DialogRow::NewGame << kNewGameSize << assistantAt(109, 185) << true;
    // result: as new game
    QTest::newRow("result fits") << DialogRow::Result << kResultSize << assistantAt(158, 148) << false;
    QTest::newRow("result too far left") << DialogRow::Result << kResultSize << assistantAt(157, 148) << true;
    QTest::newRow("result too high") << DialogRow::Result << kResultSize << assistantAt(158, 147) << true;
    // double click: as new game, with the welcome dialog
    QTest::newRow("double click fits") << DialogRow::WelcomeFromAssistant << kWelcomeSize << assistantAt(312, 112) << false;
    QTest::newRow("double click too far left") << DialogRow::WelcomeFromAssistant << kWelcomeSize << assistantAt(311, 112) << true;
    QTest::newRow("double click too high") << DialogRow::WelcomeFromAssistant << kWelcomeSize << assistantAt(312, 111) << true;
    // end question: left < D.w - 45, or screen h - client h - 25 < top
    QTest::newRow("end question fits") << DialogRow::EndQuestion << kEndQuestionSize << assistantAt(167, 639) << false;
    QTest::newRow("end question too far left") << DialogRow::EndQuestion << kEndQuestionSize << assistantAt(166, 0) << true;
    QTest::newRow("end question too low") << DialogRow::EndQuestion << kEndQuestionSize << assistantAt(500, 640) << true;
    QTest::newRow("end question high up is fine") << DialogRow::EndQuestion << kEndQuestionSize << assistantAt(500, 0) << false;
    // clear question: as end question
    QTest::newRow("clear question fits") << DialogRow::ClearQuestion << kClearQuestionSize << assistantAt(227, 639) << false;
    QTest::newRow("clear question too far left") << DialogRow::ClearQuestion << kClearQuestionSize << assistantAt(226, 300) << true;
    QTest::newRow("clear question too low") << DialogRow::ClearQuestion << kClearQuestionSize << assistantAt(227, 640) << true;
    // help: D.w - a.w + 30 > left, or top < D.h + 10
    QTest::newRow("help fits") << DialogRow::Help << kHelpSize << assistantAt(172, 353) << false;
    QTest::newRow("help too far left") << DialogRow::Help << kHelpSize << assistantAt(171, 353) << true;
    QTest::newRow("help too high") << DialogRow::Help << kHelpSize << assistantAt(172, 352) << true;
}

void PlacementRulesTest::theAssistantMovesOnlyWhenTheDialogWouldNotFit()
{
    QFETCH(DialogRow, row);
    QFETCH(QSize, dialog);
    QFETCH(QRect, assistant);
    QFETCH(bool, moves);
    QCOMPARE(needsCorner(row, dialog, assistant, kClient, kScreen), moves);
}

// A dialog that does not fit sends the assistant to the lower right corner,
// its margins those of the moment the dialog belongs to (the program's
// creation or its start), on any screen; some dialogs then raise it.
void PlacementRulesTest::eachDialogSendsTheAssistantToItsCorner_data()
{
    QTest::addColumn<DialogRow>("row");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<bool>("raises");
    QTest::newRow("welcome, 1024x768") << DialogRow::Welcome << QSize(1024, 768) << QPoint(913, 639) << false;
    QTest::newRow("new game, 1024x768") << DialogRow::NewGame << QSize(1024, 768) << QPoint(908, 634) << true;
    QTest::newRow("end question, 800x600") << DialogRow::EndQuestion << QSize(800, 600) << QPoint(689, 471) << false;
    QTest::newRow("help, 1920x1080") << DialogRow::Help << QSize(1920, 1080) << QPoint(1809, 951) << false;
    QTest::newRow("result, 800x600") << DialogRow::Result << QSize(800, 600) << QPoint(684, 466) << true;
    QTest::newRow("clear question, 1024x768") << DialogRow::ClearQuestion << QSize(1024, 768) << QPoint(913, 639)
                                              << false;
    QTest::newRow("double click, 1920x1080") << DialogRow::WelcomeFromAssistant << QSize(1920, 1080)
                                             << QPoint(1804, 946) << true;
}

void PlacementRulesTest::eachDialogSendsTheAssistantToItsCorner()
{
    QFETCH(DialogRow, row);
    QFETCH(QSize, screen);
    QTEST(cornerPosition(screen, kClient, cornerMargins(row)), "place");
    QTEST(raisesAfterMove(row), "raises");
}

void PlacementRulesTest::dialogsStandBesideTheAssistant_data()
{
    QTest::addColumn<DialogRow>("row");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QPoint>("place");
    // Above the assistant, tail at the bottom right: left + w - D.w - 38, top - D.h + 30.
    QTest::newRow("welcome") << DialogRow::Welcome << kWelcomeSize << QPoint(908 + 104 - 406 - 38, 634 - 140 + 30);
    QTest::newRow("new game") << DialogRow::NewGame << kNewGameSize << QPoint(908 + 104 - 203 - 38, 634 - 214 + 30);
    QTest::newRow("result") << DialogRow::Result << kResultSize << QPoint(908 + 104 - 252 - 38, 634 - 176 + 30);
    QTest::newRow("help") << DialogRow::Help << kHelpSize << QPoint(908 + 104 - 246 - 40, 634 - 343 + 30);
    // Left of it, 45 pixels in, bottoms level.
    QTest::newRow("end question") << DialogRow::EndQuestion << kEndQuestionSize << QPoint(908 - 212 + 45, 634 + 104 - 98);
    QTest::newRow("clear question") << DialogRow::ClearQuestion << kClearQuestionSize << QPoint(908 - 272 + 45, 634 + 104 - 98);
}

void PlacementRulesTest::dialogsStandBesideTheAssistant()
{
    QFETCH(DialogRow, row);
    QFETCH(QSize, dialog);
    QTEST(dialogPosition(row, dialog, assistantAt(908, 634)), "place");
}

// After its corner placement no rule moves the assistant again, so a dialog
// never makes it jump twice.
void PlacementRulesTest::anAssistantInItsCornerNeedsNoMove_data()
{
    QTest::addColumn<DialogRow>("row");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QSize>("screen");
    for (const QSize screen : {QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)}) {
        const QByteArray s = QByteArray::number(screen.width()) + "x" + QByteArray::number(screen.height());
        QTest::newRow("welcome " + s) << DialogRow::Welcome << kWelcomeSize << screen;
        QTest::newRow("new game " + s) << DialogRow::NewGame << kNewGameSize << screen;
        QTest::newRow("end question " + s) << DialogRow::EndQuestion << kEndQuestionSize << screen;
        QTest::newRow("help " + s) << DialogRow::Help << kHelpSize << screen;
        QTest::newRow("result " + s) << DialogRow::Result << kResultSize << screen;
        QTest::newRow("clear question " + s) << DialogRow::ClearQuestion << kClearQuestionSize << screen;
        QTest::newRow("double click " + s) << DialogRow::WelcomeFromAssistant << kWelcomeSize << screen;
    }
}

void PlacementRulesTest::anAssistantInItsCornerNeedsNoMove()
{
    QFETCH(DialogRow, row);
    QFETCH(QSize, dialog);
    QFETCH(QSize, screen);
    const QPoint corner = cornerPosition(screen, kClient, cornerMargins(row));
    QVERIFY(!needsCorner(row, dialog, QRect(corner, kClient), kClient, screen));
}

void PlacementRulesTest::theSecondCopyCentresTheAssistantWithTheNoticeOverlappingIt_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("assistant");
    QTest::addColumn<QPoint>("notice");
    QTest::newRow("1024x768") << QSize(1024, 768) << QPoint(460, 332) << QPoint(175, 339);
    // Odd sizes round down in each half.
    QTest::newRow("1023x767") << QSize(1023, 767) << QPoint(459, 331) << QPoint(174, 338);
    QTest::newRow("800x600") << QSize(800, 600) << QPoint(348, 248) << QPoint(63, 255);
}

void PlacementRulesTest::theSecondCopyCentresTheAssistantWithTheNoticeOverlappingIt()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, assistant);
    const QPoint place = centredPosition(screen, kClient);
    QCOMPARE(place, assistant);
    QTEST(noticePosition(QRect(place, kClient), kNoticeSize), "notice");
}

TORAN_TEST_GUILESS_MAIN(PlacementRulesTest)
#include "tst_placementrules.moc"
