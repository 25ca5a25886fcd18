#include "system/fileAccess.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char* const missing = "does not exist";

// Whether the thing at a path stat describes may be read whole: 0, or the errno why not.
int refusalOf(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return ERR_NOT_REGULAR;
    return st.st_size > maxReadBytes ? ERR_TOO_LARGE : 0;
}
} // namespace

int openForReading(const char* path) {
    // Non-blocking: opening a fifo for reading would otherwise wait for a writer.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO) errno = ERR_NOT_REGULAR; // a socket
        return -1;
    }
    struct stat st;
    int refused = fstat(fd, &st) != 0 ? errno : refusalOf(st);
    if (refused == 0) return fd;
    close(fd);
    errno = refused;
    return -1;
}

std::string whyUnreadable(const std::string& path) {
    if (path.empty()) return missing;
    int fd = openForReading(path.c_str());
    if (fd >= 0) {
        close(fd);
        return "";
    }
    switch (errno) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return missing;
    case EISDIR:
        return "is a folder, not a file";
    case ERR_NOT_REGULAR:
        return "is not a regular file";
    case ERR_TOO_LARGE:
        return "is larger than " + std::to_string(maxReadBytes >> 20) + " MB";
    default:
        return std::string("cannot be read (") + strerror(errno) + ")";
    }
}

bool mayOpenByPath(const std::string& path) {
    // Allegro reads "FILE#NAME" as the object NAME of the datafile FILE, and failing that as a file.
    for (size_t end = path.find('#'); true; end = path.find('#', end + 1)) {
        struct stat st;
        if (stat(path.substr(0, end).c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && refusalOf(st) != 0)
            return false;
        if (end == std::string::npos) return true;
    }
}

std::string describeUnusableFile(const std::string& path, const std::string& reason) {
    return reason == missing ? "Could not find " + path : path + " " + reason;
}

std::string plainReason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "no permission";
    case ENOSPC:
    case EDQUOT:
        return "the disk is full";
    case EFBIG:
        return "the file grew too large";
    case EROFS:
        return "the disk is read-only";
    case EISDIR:
        return "it is a folder";
    case ENOENT:
    case ENOTDIR:
        return "it does not exist";
    case EIO:
        return "the disk reported an error";
    case ERR_NOT_REGULAR:
        return "it is not a regular file";
    case ERR_TOO_LARGE:
        return "it is larger than " + std::to_string(maxReadBytes >> 20) + " MB";
    default:
        return strerror(error);
    }
}

int writeAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno != EINTR) return errno;
        if (n > 0) done += static_cast<size_t>(n);
    }
    return 0;
}

int makeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        mkdir(folder.substr(0, slash).c_str(), 0777);
    int error = mkdir(folder.c_str(), 0777) == 0 ? 0 : errno;
    struct stat st;
    if (error == EEXIST) error = stat(folder.c_str(), &st) != 0 ? errno : S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    return error;
}

int writeFileAtomically(const std::string& path, const std::string& text) {
    std::string newPath = path + ".new";
    // Non-blocking: a fifo left at the new file's name would hold the save until something read it.
    int fd = open(newPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return errno;
    int failure = writeAll(fd, text);
    if (failure == 0 && fsync(fd) != 0) failure = errno;
    if (close(fd) != 0 && failure == 0) failure = errno;
    if (failure == 0 && rename(newPath.c_str(), path.c_str()) != 0) failure = errno;
    if (failure != 0) {
        remove(newPath.c_str());
        return failure;
    }
    // The rename itself reaches the disk with the folder.
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return 0;
}

std::vector<std::string> regularFilesIn(const std::string& dir) {
    std::vector<std::string> out;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            struct stat st;
            if (e->d_name[0] != '.' && stat((dir + "/" + e->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
                out.push_back(e->d_name);
        }
        closedir(d);
    }
    return out;
}
