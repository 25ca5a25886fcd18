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
}

std::string whyUnreadable(const std::string& path) {
    struct stat st;
    if (path.empty()) return missing;
    if (stat(path.c_str(), &st) != 0)
        return errno == EACCES ? std::string("cannot be read (") + strerror(errno) + ")" : missing;
    if (S_ISDIR(st.st_mode)) return "is a folder, not a file";
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return std::string("cannot be read (") + strerror(errno) + ")";
    fclose(file);
    return "";
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
    int fd = open(newPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
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
