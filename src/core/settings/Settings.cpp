#include "Settings.h"

#include "core/errors/AppError.h"
#include "core/files/AppPath.h"
#include "IniFile.h"

namespace {
// A settings file in a folder the program must not write through fails as
// one the system refuses.
void write(const IniFile &file, const QString &key, const QString &value)
{
    if (!AppPath::writeRefusal().isEmpty())
        throw AppError(QStringLiteral("Unable to write to %1").arg(file.path()));
    file.write(Settings::kSection, key, value);
}
} // namespace

namespace Settings {

IniFile gameFile() { return IniFile(AppPath::writableFile(QStringLiteral("Toran2000.ini"))); }
IniFile assistantFile() { return IniFile(AppPath::writableFile(QStringLiteral("KQ2000.ini"))); }

int animace()
{
    // Like the profile integer reader: leading digits count, anything else is 0.
    const QString text = gameFile().read(kSection, QStringLiteral("Animace"), QStringLiteral("1")).trimmed();
    int end = 0;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    while (end < text.size() && text[end].isDigit())
        ++end;
    bool ok = false;
    const int value = text.left(end).toInt(&ok);
    return ok ? value : 0;
}

void setAnimace(int value)
{
    write(gameFile(), QStringLiteral("Animace"), QString::number(value));
}

QString pomocnik() { return assistantFile().read(kSection, QStringLiteral("Pomocnik")); }
void setPomocnik(const QString &value) { write(assistantFile(), QStringLiteral("Pomocnik"), value); }

QString uvitani() { return assistantFile().read(kSection, QStringLiteral("Uvitani")); }
void setUvitani(const QString &value) { write(assistantFile(), QStringLiteral("Uvitani"), value); }

} // namespace Settings
