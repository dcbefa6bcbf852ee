// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into a test: fails the Nth call of one kind on files under one folder; a failed
// flush or close loses the data, as a network file system's does.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <string.h>
#include <unistd.h>

static char folder[4096], call[16], watched[4096];
static long countdown, error;
#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))
#define WATCHED(fd) ((fd) >= 0 && (fd) < 4096 && watched[fd])

void fault_arm(const char *under, const char *name, long nth, int code)
{
    strncpy(folder, under, sizeof folder - 1);
    strncpy(call, name, sizeof call - 1);
    countdown = nth, error = code;
}
static int in(const char *path) { return folder[0] && !strncmp(path, folder, strlen(folder)); }
static int fails(const char *name, int watchedFile)
{
    return watchedFile && !strcmp(name, call) && countdown > 0 && --countdown == 0;
}
static int refused(void) { return errno = (int)error, -1; }
static int lost(int fd) { return ftruncate(fd, 0), refused(); }
int open(const char *path, int flags, ...)
{
    va_list rest;
    va_start(rest, flags);
    const unsigned mode = va_arg(rest, unsigned);
    va_end(rest);
    const int fd = fails("open", in(path)) ? refused() : REAL(open)(path, flags, mode);
    if (fd >= 0 && fd < 4096)
        watched[fd] = (char)in(path);
    return fd;
}
ssize_t write(int fd, const void *data, size_t size)
{
    return fails("write", WATCHED(fd)) ? refused() : REAL(write)(fd, data, size);
}
int fdatasync(int fd) { return fails("fdatasync", WATCHED(fd)) ? lost(fd) : REAL(fdatasync)(fd); }
int fsync(int fd) { return fails("fsync", WATCHED(fd)) ? refused() : REAL(fsync)(fd); }
// As on Linux, a failed close still releases the descriptor.
int close(int fd)
{
    const int failed = fails("close", WATCHED(fd)) && lost(fd);
    if (WATCHED(fd))
        watched[fd] = 0;
    const int result = REAL(close)(fd);
    return failed ? refused() : result;
}
int rename(const char *from, const char *to)
{
    return fails("rename", in(to)) ? refused() : REAL(rename)(from, to);
}
