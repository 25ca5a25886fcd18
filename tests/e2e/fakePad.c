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
#include <unistd.h>

static int padFd = -1;

static int isPadPath(const char* path) {
    return path && strcmp(path, "/dev/input/js0") == 0 && getenv("VORN_FAKE_PAD");
}

static int openPad(int flags) {
    /* Allegro reads without waiting; the fifo is opened so even without a writer yet. */
    padFd = ((int (*)(const char*, int, ...))dlsym(RTLD_NEXT, "open"))(getenv("VORN_FAKE_PAD"),
                                                                       (flags & O_NONBLOCK) | O_RDONLY);
    return padFd;
}

int open(const char* path, int flags, ...) {
    if (isPadPath(path)) return openPad(flags);
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    return ((int (*)(const char*, int, ...))dlsym(RTLD_NEXT, "open"))(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    if (isPadPath(path)) return openPad(flags);
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    return ((int (*)(const char*, int, ...))dlsym(RTLD_NEXT, "open64"))(path, flags, mode);
}

int ioctl(int fd, unsigned long request, ...) {
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    if (fd < 0 || fd != padFd)
        return ((int (*)(int, unsigned long, void*))dlsym(RTLD_NEXT, "ioctl"))(fd, request, arg);
    if (request == JSIOCGVERSION) {
        *(int*)arg = JS_VERSION;
        return 0;
    }
    if (request == JSIOCGAXES) {
        *(unsigned char*)arg = 8;
        return 0;
    }
    if (request == JSIOCGBUTTONS) {
        *(unsigned char*)arg = 11;
        return 0;
    }
    if (_IOC_TYPE(request) == 'j' && _IOC_NR(request) == _IOC_NR(JSIOCGNAME(0))) {
        strncpy((char*)arg, "VORN test pad", _IOC_SIZE(request));
        return 13;
    }
    errno = EINVAL;
    return -1;
}

int close(int fd) {
    if (fd >= 0 && fd == padFd) padFd = -1;
    return ((int (*)(int))dlsym(RTLD_NEXT, "close"))(fd);
}
