#include "FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

// What every platform does alike; the rest is in FileSystem_posix.cpp and
// FileSystem_win.cpp.
namespace FileSystem {

QString whyNoFileCanBeWritten(const QString &dir)
{
    constexpr int kTrialBytes = 64;   // about what a lock file holds
    QTemporaryFile trial(QDir(dir).filePath(QStringLiteral(".toran-zkouska-XXXXXX")));
    if (!trial.open())
        return trial.errorString();
    // Written through to the system: a full disk or a size limit shows at
    // the write, not in a buffer.
    if (trial.write(QByteArray(kTrialBytes, '\n')) != kTrialBytes || !trial.flush())
        return trial.errorString();
    return QString();
}

bool leadsIntoAnotherUsersFolder(const QString &dir)
{
    QFileInfo existing(QDir::cleanPath(QDir(dir).absolutePath()));
    while (!existing.exists() && !existing.isRoot())
        existing = QFileInfo(existing.absolutePath());
    const QString real = existing.canonicalFilePath();
    return !real.isEmpty() && real != existing.absoluteFilePath() && ownedByAnotherUser(real);
}

} // namespace FileSystem
