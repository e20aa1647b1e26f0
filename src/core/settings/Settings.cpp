#include "Settings.h"

#include "core/files/AppPath.h"
#include "IniFile.h"

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
    gameFile().write(kSection, QStringLiteral("Animace"), QString::number(value));
}

Speed rychlost()
{
    const QString text = gameFile().read(kSection, QStringLiteral("Rychlost"));
    for (Speed speed : {Speed::Slow, Speed::Normal, Speed::Fast, Speed::Instant})
        if (text == QString::number(int(speed)))
            return speed;
    return Speed::Normal;
}

void setRychlost(Speed speed) { gameFile().write(kSection, QStringLiteral("Rychlost"), QString::number(int(speed))); }

namespace {
const QString kGameSection = QStringLiteral("Hra");
}

KeptGame keptGame()
{
    const IniFile file = gameFile();
    return {file.read(kGameSection, QStringLiteral("Disky")), file.read(kGameSection, QStringLiteral("Tahy")),
            file.read(kGameSection, QStringLiteral("Kuly")), file.read(kGameSection, QStringLiteral("Pomoc"))};
}

void setKeptGame(const KeptGame &game)
{
    QList<std::pair<QString, QString>> values;
    if (!game.disky.isEmpty())
        values = {{QStringLiteral("Disky"), game.disky}, {QStringLiteral("Tahy"), game.tahy},
                  {QStringLiteral("Kuly"), game.kuly}};
    if (!game.disky.isEmpty() && !game.pomoc.isEmpty())
        values.append({QStringLiteral("Pomoc"), game.pomoc});
    gameFile().writeSection(kGameSection, values);
}

QString pomocnik() { return assistantFile().read(kSection, QStringLiteral("Pomocnik")); }
void setPomocnik(const QString &value) { assistantFile().write(kSection, QStringLiteral("Pomocnik"), value); }

QString uvitani() { return assistantFile().read(kSection, QStringLiteral("Uvitani")); }
void setUvitani(const QString &value) { assistantFile().write(kSection, QStringLiteral("Uvitani"), value); }

} // namespace Settings
