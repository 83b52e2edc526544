#pragma once
// The program's own folder, where its support files lie (the folder of the executable unless set).
#include <QString>

namespace ProgramFolder {

QString path();
// Points the program folder elsewhere (tests use a folder of their own); an empty path restores the default.
void setPath(const QString &folder);
// The folder, a '/' unless the folder already ends in one, and the file name.
QString file(const QString &name);

} // namespace ProgramFolder
