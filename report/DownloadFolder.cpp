#include "DownloadFolder.h"

#include <QDir>

namespace tellumo::DownloadFolder {

QString filePath(const QString& fileName)
{
    const QString folder = qEnvironmentVariable(Variable);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(fileName);
}

} // namespace tellumo::DownloadFolder
