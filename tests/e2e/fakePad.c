/* A gamepad for the end-to-end tests, where no joystick device exists: preloaded into the game,
   it answers the open of /dev/input/js0 with the fifo named by VORN_FAKE_PAD, and the joystick
   ioctls on it as a pad of 8 axes and 11 buttons would. The test writes struct js_event records
   into the fifo; every other file and call goes to the C library untouched. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/joystick.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>

typedef int (*OpenCall)(const char*, int, ...);
static int padFd = -1;

static int openOrPad(const char* name, const char* path, int flags, mode_t mode) {
    OpenCall next = (OpenCall)dlsym(RTLD_NEXT, name);
    if (!path || strcmp(path, "/dev/input/js0") != 0 || !getenv("VORN_FAKE_PAD"))
        return next(path, flags, mode);
    /* Allegro reads without waiting; the fifo opens so even before the test writes to it. */
    return padFd = next(getenv("VORN_FAKE_PAD"), (flags & O_NONBLOCK) | O_RDONLY);
}

#define OPEN_CALL(name)                                                                                      \
    int name(const char* path, int flags, ...) {                                                             \
        va_list args;                                                                                        \
        va_start(args, flags);                                                                               \
        mode_t mode = flags & (O_CREAT | O_TMPFILE) ? va_arg(args, mode_t) : 0;                              \
        va_end(args);                                                                                        \
        return openOrPad(#name, path, flags, mode);                                                          \
    }
OPEN_CALL(open)
OPEN_CALL(open64)

int ioctl(int fd, unsigned long request, ...) {
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    if (fd < 0 || fd != padFd)
        return ((int (*)(int, unsigned long, void*))dlsym(RTLD_NEXT, "ioctl"))(fd, request, arg);
    if (request == JSIOCGVERSION) return *(int*)arg = JS_VERSION, 0;
    if (request == JSIOCGAXES) return *(unsigned char*)arg = 8, 0;
    if (request == JSIOCGBUTTONS) return *(unsigned char*)arg = 11, 0;
    if (_IOC_TYPE(request) == 'j' && _IOC_NR(request) == _IOC_NR(JSIOCGNAME(0)))
        return strncpy((char*)arg, "VORN test pad", _IOC_SIZE(request)), 13;
    errno = EINVAL;
    return -1;
}

int close(int fd) {
    if (fd >= 0 && fd == padFd) padFd = -1;
    return ((int (*)(int))dlsym(RTLD_NEXT, "close"))(fd);
}
