#pragma once

#include <functional>
#include <memory>

class DialogLock;
class QApplication;
class QString;
class QTranslator;
class TDataModule1;
class THlavniDialog;
class TUvitaniDialog;
class THraDialog;
class TOProgramuDialog;
class TDotazKonecDialog;
class TVysledekDialog;
class TPomocnikDialog;
class TTabulkaDialog;
class TVymazatDialog;
class TNapovedaDialog;

// The program's entry: the single-instance test, the splash with its
// progress, every window created once in its order, and the message loop.
namespace Startup {

int run(int argc, char *argv[]);

// The data module and every window of the program, in the order they are
// created; they go in the reverse order, before the application object. The
// lock by which every dialog shown holds the main window and the assistant
// comes first and goes last.
struct Windows {
    Windows();
    ~Windows();
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    std::unique_ptr<DialogLock> dialogLock;
    std::unique_ptr<TDataModule1> DataModule1;
    std::unique_ptr<THlavniDialog> HlavniDialog;
    std::unique_ptr<TUvitaniDialog> UvitaniDialog;
    std::unique_ptr<THraDialog> HraDialog;
    std::unique_ptr<TOProgramuDialog> OProgramuDialog;
    std::unique_ptr<TDotazKonecDialog> DotazKonecDialog;
    std::unique_ptr<TVysledekDialog> VysledekDialog;
    std::unique_ptr<TPomocnikDialog> PomocnikDialog;
    std::unique_ptr<TTabulkaDialog> TabulkaDialog;
    std::unique_ptr<TVymazatDialog> VymazatDialog;
    std::unique_ptr<TNapovedaDialog> NapovedaDialog;
};

// Creates the data module and every window in their order, reporting the
// splash position after each (7, 14, 21, 28, 35, 42, 63, 70, 77, 84, 91, 100),
// and hands each its collaborators and the dialogs to the dialog lock; mainWindowCreated, if given, is called as
// soon as the main window exists.
std::unique_ptr<Windows> createWindows(const std::function<void(int)> &progress,
                                       const std::function<void(THlavniDialog *)> &mainWindowCreated = {});

// Qt's own texts (the name box's context menu, standard dialogs) in Czech
// like the rest of the game. False, and nothing changed, where Qt's Czech
// translation is not installed.
bool installQtTranslation(QTranslator &translator);

// The game's texts, and Qt's own, in language (Language::choose): Czech
// needs only Qt's translation, another language only the game's, which is
// built into the program (Qt's own texts are English). Remembered as the
// current language. False where the translation could not be loaded.
bool installTranslations(const QString &language, QTranslator &game, QTranslator &qt);

} // namespace Startup
