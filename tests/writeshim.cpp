// Preloaded into a program under test to play a bad disk inside one folder, named by
// KANSU_SHIM_DIR, without root:
//   KANSU_SHIM_ROOM=N     writes fail with ENOSPC once N bytes have been written there
//   KANSU_SHIM_DENY=1     creating a file there fails with EACCES (a read-only folder)
//   KANSU_SHIM_KILL_AT=k  the process is killed just before its k-th step there (a file
//                         created, a write, a sync, a rename)
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

extern "C" {

static long long written;
static long steps;

static const char *folder(void)
{
    const char *dir = getenv("KANSU_SHIM_DIR");
    return dir && *dir ? dir : NULL;
}

static int inFolder(const char *path)
{
    const char *dir = folder();
    return dir && path && strncmp(path, dir, strlen(dir)) == 0;
}

static int fdInFolder(int fd)
{
    char link[64], target[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n < 0)
        return 0;
    target[n] = 0;
    return inFolder(target);
}

static void step(void)
{
    const char *at = getenv("KANSU_SHIM_KILL_AT");
    if (at && ++steps == atol(at))
        raise(SIGKILL);
}

// The function the system would have run.
#define REAL(name)                                                                                 \
    static const auto real_##name = reinterpret_cast<decltype(&name)>(dlsym(RTLD_NEXT, #name))

static int denied(const char *path, int flags)
{
    if (!(flags & O_CREAT) || !inFolder(path))
        return 0;
    step();
    const char *deny = getenv("KANSU_SHIM_DENY");
    return deny && *deny == '1';
}

// Both names of open() end here; `real` is the one the program called.
static int openChecked(int (*real)(const char *, int, ...), const char *path, int flags,
                       mode_t mode)
{
    if (denied(path, flags)) {
        errno = EACCES;
        return -1;
    }
    return real(path, flags, mode);
}

int open(const char *path, int flags, ...)
{
    REAL(open);
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = (flags & O_CREAT) ? va_arg(ap, mode_t) : 0;
    va_end(ap);
    return openChecked(real_open, path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    REAL(open64);
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = (flags & O_CREAT) ? va_arg(ap, mode_t) : 0;
    va_end(ap);
    return openChecked(real_open64, path, flags, mode);
}

ssize_t write(int fd, const void *data, size_t size)
{
    REAL(write);
    if (fd > 2 && fdInFolder(fd)) {
        step();
        const char *room = getenv("KANSU_SHIM_ROOM");
        if (room) {
            const long long left = atoll(room) - written;
            if (left <= 0) {
                errno = ENOSPC;
                return -1;
            }
            if ((long long)size > left)
                size = (size_t)left;
        }
        const ssize_t n = real_write(fd, data, size);
        if (n > 0)
            written += n;
        return n;
    }
    return real_write(fd, data, size);
}

int fsync(int fd)
{
    REAL(fsync);
    if (fdInFolder(fd))
        step();
    return real_fsync(fd);
}

int rename(const char *from, const char *to)
{
    REAL(rename);
    if (inFolder(to))
        step();
    return real_rename(from, to);
}

} // extern "C"
