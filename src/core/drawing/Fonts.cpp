#include "Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>

#include <algorithm>

namespace {
// The family each of the forms' families stands for here, chosen on first
// use; forgotten when the substitutes change. Fonts are made on the GUI
// thread alone.
QHash<QString, QString> &chosenFamilies()
{
    static QHash<QString, QString> chosen;
    return chosen;
}

// The form's family if it is installed, else its first installed
// substitute. A family that is not installed would be looked for among the
// fallbacks of every installed font, for each style it is asked in.
QString installedFamily(const QString &family)
{
    auto found = chosenFamilies().constFind(family);
    if (found != chosenFamilies().constEnd())
        return *found;
    const QStringList installed = QFontDatabase::families();
    QString chosen = family;
    for (const QString &candidate : QStringList{family} + QFont::substitutes(family)) {
        const auto match = std::find_if(installed.cbegin(), installed.cend(), [&](const QString &name) {
            return name.compare(candidate, Qt::CaseInsensitive) == 0;
        });
        if (match != installed.cend()) {
            chosen = *match;
            break;
        }
    }
    chosenFamilies().insert(family, chosen);
    return chosen;
}

// Qt 6.4 draws unsmoothed glyphs wrongly into a 16-bit picture, as the
// window of a 16-bit X display is: each line comes out at half its width and
// again beside itself. Smoothed glyphs come out right there.
bool drawsCrispGlyphs()
{
    constexpr int kFewestBitsForCrispGlyphs = 24;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return !screen || screen->depth() >= kFewestBitsForCrispGlyphs;
}
} // namespace

namespace Fonts {

void installSubstitutes()
{
    const QString serif[] = {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"), QStringLiteral("Nimbus Roman")};
    const QString sans[] = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans")};
    for (const QString &family : serif)
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), family);
    for (const QString &family : sans) {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), family);
        QFont::insertSubstitution(QStringLiteral("Arial"), family);
        // The menus' font on Windows; Wine has none of that name.
        QFont::insertSubstitution(QStringLiteral("Tahoma"), family);
    }
    chosenFamilies().clear();
}

QFont font(const QString &family, int pixelHeight, bool bold, bool italic)
{
    QFont f(installedFamily(family));
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    f.setItalic(italic);
    // Crisp, as the forms were drawn. The families stand in for the forms'
    // fonts and hold every character of the game's texts and of the
    // table's code page, so no other font is looked for: finding the
    // stand-ins for a missing character means sorting every installed font
    // for each family, size and weight the forms name.
    if (drawsCrispGlyphs()) {
        f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
        // Without antialiasing the glyphs are hinted to whole pixels; their
        // advances must be too, or words come out unevenly spaced and wider.
        f.setHintingPreference(QFont::PreferFullHinting);
    } else {
        // Smoothed glyphs hinted in full come out wider than the boxes of
        // the forms; hinted only in height they keep the crisp widths.
        f.setStyleStrategy(QFont::NoFontMerging);
        f.setHintingPreference(QFont::PreferVerticalHinting);
    }
    return f;
}

QFont withFallbacks(QFont font)
{
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::NoFontMerging));
    return font;
}

} // namespace Fonts
