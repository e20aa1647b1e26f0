#include "FileLookup.h"

#include <QDir>
#include <QFileInfo>

QString lookUpFile(const QString &name, const QString &dir)
{
    const QFileInfo here(name);
    if (here.isFile())
        return here.absoluteFilePath();
    const QFileInfo there(QDir(dir).filePath(name));
    if (there.isFile())
        return there.absoluteFilePath();
    return QString();
}
