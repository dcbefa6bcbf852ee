// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into a test: fails the Nth call of one system call on files under one folder.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <string.h>
#include <unistd.h>

enum { Open, Write, Fdatasync, Close, Rename };
static char folder[4096];
static int failing = -1, error, hit;
static long countdown;
static unsigned char watched[4096];

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

// Arms the fault ("open", "write", "fdatasync", "close" or "rename"); folder "" disarms.
void fault_arm(const char *under, const char *call, long nth, int errorCode)
{
    static const char *const names[] = {"open", "write", "fdatasync", "close", "rename"};
    strncpy(folder, under, sizeof folder - 1);
    failing = -1;
    for (int i = 0; i < 5; ++i)
        failing = strcmp(call, names[i]) == 0 ? i : failing;
    countdown = nth;
    error = errorCode;
    hit = 0;
}

int fault_hit(void) { return hit; }

static int inFolder(const char *path)
{
    return folder[0] && strncmp(path, folder, strlen(folder)) == 0;
}

static int fails(int call, int watchedFile)
{
    if (call != failing || !watchedFile || countdown <= 0 || --countdown > 0)
        return 0;
    hit = 1;
    errno = error;
    return 1;
}

static int opened(int fd, const char *path)
{
    if (fd >= 0 && fd < (int)sizeof watched)
        watched[fd] = (unsigned char)inFolder(path);
    return fd;
}

#define OPEN(name)                                                                         \
    int name(const char *path, int flags, ...)                                            \
    {                                                                                      \
        va_list args;                                                                      \
        va_start(args, flags);                                                             \
        const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;    \
        va_end(args);                                                                      \
        return fails(Open, inFolder(path)) ? -1 : opened(REAL(name)(path, flags, mode), path); \
    }
OPEN(open)
OPEN(open64)

static int isWatched(int fd) { return fd >= 0 && fd < (int)sizeof watched && watched[fd]; }

ssize_t write(int fd, const void *data, size_t size)
{
    return fails(Write, isWatched(fd)) ? -1 : REAL(write)(fd, data, size);
}

// A refused flush or close, as a network file system reports it: the data never arrived.
static int lost(int fd)
{
    if (ftruncate(fd, 0) == 0)
        errno = error;
    return -1;
}

int fdatasync(int fd)
{
    return fails(Fdatasync, isWatched(fd)) ? lost(fd) : REAL(fdatasync)(fd);
}

// As on Linux, a failed close still releases the descriptor.
int close(int fd)
{
    const int failed = fails(Close, isWatched(fd)) && lost(fd);
    if (isWatched(fd))
        watched[fd] = 0;
    const int result = REAL(close)(fd);
    return failed ? (errno = error, -1) : result;
}

int rename(const char *from, const char *to)
{
    return fails(Rename, inFolder(to)) ? -1 : REAL(rename)(from, to);
}
