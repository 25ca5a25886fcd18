#ifndef VORN_TESTS_SUPPORT_TESTENV_H
#define VORN_TESTS_SUPPORT_TESTENV_H

#include <string>

// Every unit test binary starts Allegro without a display (SYSTEM_NONE) with a 32-bit colour
// depth, so memory bitmaps work, and records messages instead of showing them.

// A temporary folder that becomes the working directory for its lifetime, so code that reads
// data/... relative paths reads the test's own files. Removed, with its contents, afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return dir; }
    // Writes a file under the folder, creating its parent folders.
    void write(const std::string& relativePath, const std::string& content) const;
    std::string read(const std::string& relativePath) const;
    bool exists(const std::string& relativePath) const;

  private:
    std::string dir;
    std::string previousDir;
};

// Runs a shell command; returns its exit status.
int runCommand(const std::string& command);

#endif
