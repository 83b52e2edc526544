#include "ShellOpen.h"

#include <QDesktopServices>

namespace ShellOpen {

namespace {
Hook &hook()
{
    static Hook h;
    return h;
}
} // namespace

void setHook(Hook h)
{
    hook() = std::move(h);
}

bool open(const QUrl &url)
{
    if (hook())
        return hook()(url);
    return QDesktopServices::openUrl(url);
}

} // namespace ShellOpen
