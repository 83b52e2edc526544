#include "ProgramFolder.h"

#include <QCoreApplication>

namespace ProgramFolder {

namespace {
QString &overridden()
{
    static QString folder;
    return folder;
}
} // namespace

QString path()
{
    if (!overridden().isEmpty())
        return overridden();
    return QCoreApplication::applicationDirPath();
}

void setPath(const QString &folder)
{
    overridden() = folder;
}

QString file(const QString &name)
{
    const QString folder = path();
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace ProgramFolder
