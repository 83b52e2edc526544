#pragma once
// Libraries of other makers that a program calls when they are present, loaded by name at run time.
//
// Each object is one load of its own, counted by the dynamic loader: two objects for one library
// keep it until both are gone. (QLibrary shares one state among its objects for a file, and an
// object made while that file is loaded frees it for all of them when it is unloaded.)
#include <QFunctionPointer>
#include <QString>

#include <memory>

class OutsideLibrary {
public:
    // Loads "lib" + name + ".so" from the program's folder, else by its name through the dynamic
    // loader's search path (LD_LIBRARY_PATH, the loader's cache, the system's folders). Never from
    // the current folder: when LD_LIBRARY_PATH names it (an empty or relative entry), only its
    // absolute folders are looked in. Null when the library is nowhere or cannot be loaded.
    static std::unique_ptr<OutsideLibrary> load(const QString &name);

    ~OutsideLibrary();
    OutsideLibrary(const OutsideLibrary &) = delete;
    OutsideLibrary &operator=(const OutsideLibrary &) = delete;

    // The entry point of that name, null when the library has none.
    QFunctionPointer resolve(const char *symbol) const;

private:
    explicit OutsideLibrary(void *handle);
    static std::unique_ptr<OutsideLibrary> tryLoad(const QString &fileName);

    void *m_handle;
};
