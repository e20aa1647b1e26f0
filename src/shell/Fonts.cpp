#include "Fonts.h"

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
    }
}

QFont font(const QString &family, int pixelHeight, bool bold, bool italic)
{
    QFont f(family);
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::NoAntialias);   // crisp, as the forms were drawn
    // Without antialiasing the glyphs are hinted to whole pixels; their
    // advances must be too, or words come out unevenly spaced and wider.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

} // namespace Fonts
