#include "Manual.h"

#include <QDir>

#include <windows.h>
#include <shellapi.h>

namespace Manual {

QString programName() { return QStringLiteral("ManualKQ2000.exe"); }

// The shell's default verb, shown normally; what the shell makes of it is
// not checked.
void launch(const QString &program, const QString &parameter, WId owner)
{
    const QString file = QDir::toNativeSeparators(program);
    ShellExecuteW(reinterpret_cast<HWND>(owner), nullptr, reinterpret_cast<const wchar_t *>(file.utf16()),
                  reinterpret_cast<const wchar_t *>(parameter.utf16()), nullptr, SW_SHOWNORMAL);
}

} // namespace Manual
