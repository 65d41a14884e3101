#pragma once

// The memory one piece of work takes, measured in a forked child, so that neither the
// earlier benchmarks' memory nor the parent's high-water mark counts. The child gives
// freed heap back first and resets its high-water mark (clear_refs 5), then measures
// growth from there.

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ChildMemory {

// A "Vm…:" figure of /proc/self/status in bytes, or -1.
inline qint64 statusBytes(const char* key)
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    qint64 kb = -1;
    const size_t keyLength = std::strlen(key);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':') {
            kb = std::atoll(line + keyLength + 1);
            break;
        }
    }
    std::fclose(f);
    return kb < 0 ? -1 : kb * 1024;
}

struct Growth
{
    qint64 peak = -1;     // VmHWM after the work minus VmRSS before it; -1 when unknown
    qint64 resident = -1; // VmRSS after the work minus VmRSS before it
};

// Runs `work` (which returns whether it did what it should; what it allocates is left for
// _exit to drop) in a child and returns the child's growth.
template <typename Work> Growth measure(Work work)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return {};
    }
    if (pid == 0) {
        close(fds[0]);
        Growth g;
        malloc_trim(0);
        FILE* clear = std::fopen("/proc/self/clear_refs", "w");
        const bool reset = clear && std::fputs("5", clear) >= 0 && std::fclose(clear) == 0;
        const qint64 before = statusBytes("VmRSS");
        if (reset && before >= 0 && work()) {
            g.peak = statusBytes("VmHWM") - before;
            g.resident = statusBytes("VmRSS") - before;
        }
        const ssize_t written = write(fds[1], &g, sizeof g);
        _exit(written == sizeof g ? 0 : 1);
    }
    close(fds[1]);
    Growth g;
    if (read(fds[0], &g, sizeof g) != sizeof g)
        g = Growth();
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return g;
}

} // namespace ChildMemory
