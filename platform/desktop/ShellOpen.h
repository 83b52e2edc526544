#pragma once
// Opening documents and links with the desktop's own programs (a web page, a "mailto:" link).
#include <QUrl>
#include <functional>

namespace ShellOpen {

// Hands the link to the desktop; the result is the desktop's answer (callers may ignore it).
bool open(const QUrl &url);

// For tests: while set, links go to the hook instead of the desktop.
using Hook = std::function<bool(const QUrl &)>;
void setHook(Hook hook);

} // namespace ShellOpen
