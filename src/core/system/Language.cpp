#include "Language.h"

namespace {
QString &chosen()
{
    static QString language = Language::kCzech;
    return language;
}
} // namespace

namespace Language {

QStringList available() { return {kCzech, QStringLiteral("en")}; }

QString choose(const QStringList &uiLanguages)
{
    const QStringList have = available();
    for (const QString &name : uiLanguages) {
        const QString language = name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (have.contains(language))
            return language;
    }
    return kCzech;
}

QString fromSystem() { return choose(QLocale::system().uiLanguages()); }

QString current() { return chosen(); }
void setCurrent(const QString &language) { chosen() = language; }

QLocale currentLocale()
{
    if (chosen() == kCzech)
        return QLocale(QLocale::Czech, QLocale::CzechRepublic);
    // A player of that language keeps the region's customs (an English
    // week starts on Sunday in the United States, on Monday in Britain).
    const QLocale system = QLocale::system();
    const QLocale language(chosen());
    return system.language() == language.language() ? system : language;
}

} // namespace Language
