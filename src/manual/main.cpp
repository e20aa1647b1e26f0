// ManualKQ2000: the electronic manual of Toranská věž 2000. The game starts
// it with the start page's path relative to the game's folder; any other
// page may be given the same way.

#include "core/system/ManualPages.h"
#include "ManualWindow.h"

#include "core/files/AppPath.h"
#include "core/system/Language.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <QUrl>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString language = Language::fromSystem();
    // Its own texts are the game's (Czech, or translated as the game's are);
    // Qt's own (the browser's menu, the message box's button) in Czech.
    QTranslator texts;
    if (language == Language::kCzech
            ? texts.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))
            : texts.load(QStringLiteral(":/i18n/toran_%1.qm").arg(language)))
        QCoreApplication::installTranslator(&texts);

    const QStringList arguments = QCoreApplication::arguments();
    const QString given = arguments.size() > 1 ? arguments.at(1) : QString();
    const QString page = ManualPages::resolve(given, AppPath::dir(), language);
    TManualDialog window;
    if (page.isEmpty()) {
        QMessageBox::warning(nullptr, window.windowTitle(),
                             QCoreApplication::translate("TManualDialog", "Stránka %1 nebyla nalezena.")
                                 .arg(given.isEmpty() ? ManualPages::kStartPage : given));
        return 1;
    }
    window.openHome(QUrl::fromLocalFile(page));
    window.show();
    return app.exec();
}
