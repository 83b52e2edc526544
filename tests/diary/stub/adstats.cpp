// A stand-in for the statistics library: it writes a line for its loading, for each call with its
// arguments and whether the diary's database was there yet, and for its freeing, to the file
// ADSTATS_LOG names; as it loads, it makes the folder ADSTATS_CHDIR names the current one. Built
// without the banner's entry point when WITHOUT_BANNER_ENTRY is set.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

namespace {

void note(const char *format, ...)
{
    const char *path = std::getenv("ADSTATS_LOG");
    if (!path)
        return;
    FILE *log = std::fopen(path, "a");
    if (!log)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(log, format, args);
    va_end(args);
    std::fputc('\n', log);
    std::fclose(log);
}

const char *database()
{
    return access("diario.mdb", F_OK) == 0 ? "with database" : "before database";
}

__attribute__((constructor)) void loaded()
{
    Dl_info self{};
    dladdr(reinterpret_cast<void *>(&loaded), &self);
    note("loaded %s", self.dli_fname ? self.dli_fname : "?");
    if (const char *folder = std::getenv("ADSTATS_CHDIR"))
        if (chdir(folder) != 0)
            note("chdir failed");
}

__attribute__((destructor)) void freed()
{
    note("freed");
}

} // namespace

extern "C" __attribute__((visibility("default"))) int32_t StartAdSoftwareStats(int32_t software)
{
    note("StartAdSoftwareStats %d %s", software, database());
    return 1;
}

#ifndef WITHOUT_BANNER_ENTRY
extern "C" __attribute__((visibility("default"))) int32_t StartAdControlStats(uintptr_t window, int32_t software,
                                                                             int32_t index)
{
    note("StartAdControlStats %ju %d %d %s", uintmax_t(window), software, index, database());
    return 1;
}
#endif
