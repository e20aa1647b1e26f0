#pragma once

#include <QFont>
#include <QString>

// The forms name "Times New Roman" and "MS Sans Serif"; they resolve to their
// installed metric twins so that texts fit their boxes as designed.
namespace Fonts {

void installSubstitutes();

// A font of the forms: heights are character heights in pixels.
QFont font(const QString &family, int pixelHeight, bool bold = false, bool italic = false);
// The same font, but a character it lacks is drawn from another installed
// font: for text the game does not write itself, such as folder names.
QFont withFallbacks(QFont font);

inline QFont times(int pixelHeight, bool bold = false, bool italic = false)
{
    return font(QStringLiteral("Times New Roman"), pixelHeight, bold, italic);
}
inline QFont sansSerif(int pixelHeight = 11, bool bold = false)
{
    return font(QStringLiteral("MS Sans Serif"), pixelHeight, bold);
}

} // namespace Fonts
