#include "OutsideLibrary.h"

#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <dlfcn.h>

OutsideLibrary::OutsideLibrary(void *handle)
    : m_handle(handle)
{
}

OutsideLibrary::~OutsideLibrary()
{
    dlclose(m_handle);
}

QFunctionPointer OutsideLibrary::resolve(const char *symbol) const
{
    return reinterpret_cast<QFunctionPointer>(dlsym(m_handle, symbol));
}

std::unique_ptr<OutsideLibrary> OutsideLibrary::tryLoad(const QString &fileName)
{
    void *handle = dlopen(QFile::encodeName(fileName).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    return std::unique_ptr<OutsideLibrary>(new OutsideLibrary(handle));
}

std::unique_ptr<OutsideLibrary> OutsideLibrary::load(const QString &name)
{
    const QString fileName = QStringLiteral("lib") + name + QStringLiteral(".so");
    if (auto library = tryLoad(QDir(ProgramFolder::path()).absoluteFilePath(fileName)))
        return library;

    // The loader splits its path at colons and semicolons, and reads an empty entry as the current
    // folder and a relative one from it.
    const QString searchPath = qEnvironmentVariable("LD_LIBRARY_PATH");
    const QStringList entries = searchPath.split(QRegularExpression(QStringLiteral("[:;]")));
    const bool namesCurrentFolder = !searchPath.isEmpty()
                                    && std::any_of(entries.begin(), entries.end(),
                                                   [](const QString &e) { return !e.startsWith(u'/'); });
    if (!namesCurrentFolder)
        return tryLoad(fileName);
    for (const QString &entry : entries)
        if (entry.startsWith(u'/'))
            if (auto library = tryLoad(QDir(entry).absoluteFilePath(fileName)))
                return library;
    return nullptr;
}
