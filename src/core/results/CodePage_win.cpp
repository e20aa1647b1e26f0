#include "CodePage.h"

#include <QList>

#include <windows.h>

namespace {
UINT numberOf(const char *name)
{
    const QByteArray n(name);
    if (n.startsWith("IBM"))
        return n.mid(3).toUInt();
    if (n.startsWith("windows-"))
        return n.mid(8).toUInt();
    return 0;
}
} // namespace

namespace CodePage {

bool isAvailable(const char *name)
{
    CPINFO info;
    const UINT page = numberOf(name);
    return page != 0 && GetCPInfo(page, &info);
}

QString decode(const char *name, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    const UINT page = numberOf(name);
    QString text(bytes.size(), Qt::Uninitialized);   // one character a byte
    const int n = MultiByteToWideChar(page, 0, bytes.constData(), int(bytes.size()),
                                      reinterpret_cast<wchar_t *>(text.data()), int(text.size()));
    text.truncate(qMax(n, 0));
    return text;
}

QByteArray encode(const char *name, const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    const UINT page = numberOf(name);
    // One character, one byte: a character beyond the 16-bit range is one
    // missing character, not two.
    QString units;
    units.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        units += c > 0xFFFF || QChar::isSurrogate(c) ? QChar(QChar::ReplacementCharacter) : QChar(c);
    const auto wide = reinterpret_cast<const wchar_t *>(units.utf16());
    // No best fit: "Ť" must not be written to a Western table as "T".
    const int size = WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, wide, int(units.size()), nullptr, 0, "\x1A",
                                         nullptr);
    QByteArray bytes(qMax(size, 0), Qt::Uninitialized);
    WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, wide, int(units.size()), bytes.data(), int(bytes.size()), "\x1A",
                        nullptr);
    return bytes;
}

} // namespace CodePage
