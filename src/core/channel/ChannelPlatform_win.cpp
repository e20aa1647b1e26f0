#include "ChannelTransport.h"

#include <QDir>

#include <windows.h>

namespace ChannelTransport {

const Transport &platformTransport() { return qtLocalSockets(); }

QString platformBaseName(const QString &prefix, const QString &display)
{
    // Named pipes have one namespace for the machine: keyed on the user too.
    return prefix + shortHash(QDir::homePath() + QLatin1Char('\n') + display);
}

bool platformNamesArePrivate() { return false; }

namespace {
// A named mutex of the session: the system lets go of it when its holder
// ends, however it ends.
class MutexClaim final : public NameClaim
{
public:
    explicit MutexClaim(HANDLE mutex) : m_mutex(mutex) {}
    ~MutexClaim() override { CloseHandle(m_mutex); }

private:
    HANDLE m_mutex;
};
} // namespace

std::unique_ptr<NameClaim> claimName(const QString &name)
{
    const QString mutexName = QStringLiteral("Local\\") + QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
    HANDLE mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t *>(mutexName.utf16()));
    if (!mutex)
        return nullptr;
    const bool held = GetLastError() == ERROR_ALREADY_EXISTS;
    auto claim = std::make_unique<MutexClaim>(mutex);
    if (held)
        return nullptr;
    // A pipe of that name made by anyone else (an older copy, another
    // program) would share the name as well.
    const QString pipe = name.startsWith(QLatin1String("\\\\")) ? name : QStringLiteral("\\\\.\\pipe\\") + name;
    if (WaitNamedPipeW(reinterpret_cast<const wchar_t *>(pipe.utf16()), 1) || GetLastError() != ERROR_FILE_NOT_FOUND)
        return nullptr;
    return claim;
}

} // namespace ChannelTransport
