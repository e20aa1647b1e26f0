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
    return chosen() == kCzech ? QLocale(QLocale::Czech, QLocale::CzechRepublic) : QLocale(chosen());
}

} // namespace Language
