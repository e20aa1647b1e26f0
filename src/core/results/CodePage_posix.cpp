#include "CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace CodePage {

bool isAvailable(const char *name) { return QStringDecoder(name).isValid(); }
QString decode(const char *name, const QByteArray &bytes) { return QStringDecoder(name)(bytes); }
// A character the code page lacks is "?": the converter's own substitute
// differs from page to page (0x7F in the IBM pages, SUB elsewhere).
QByteArray encode(const char *name, const QString &text)
{
    QStringEncoder encoder(name);
    QStringDecoder decoder(name);
    QByteArray bytes;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).mid(at, length);
        const QByteArray encoded = encoder(character);
        bytes += QString(decoder(encoded)) == character ? encoded : QByteArray("?");
        at += length;
    }
    return bytes;
}

} // namespace CodePage
