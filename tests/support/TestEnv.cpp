#include "support/TestEnv.h"

#include <allegro.h>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "system/Messages.h"

namespace {

class AllegroEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
            throw std::runtime_error("Allegro did not start");
        set_color_depth(32);
        set_color_conversion(COLORCONV_NONE);
        setMessagesSilent(true);
    }
};

const auto* registered = ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);

void makeParents(const std::string& path) {
    for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1))
        mkdir(path.substr(0, pos).c_str(), 0755);
}

} // namespace

TempDir::TempDir() {
    char pattern[] = "/tmp/vorn-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("no temporary folder");
    dir = pattern;
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) previousDir = cwd;
    if (chdir(dir.c_str()) != 0) throw std::runtime_error("cannot enter temporary folder");
}

TempDir::~TempDir() {
    if (!previousDir.empty() && chdir(previousDir.c_str()) != 0) perror("chdir");
    runCommand("rm -rf '" + dir + "'");
}

void TempDir::write(const std::string& relativePath, const std::string& content) const {
    std::string full = dir + "/" + relativePath;
    makeParents(full);
    std::ofstream out(full, std::ios::binary);
    out << content;
}

std::string TempDir::read(const std::string& relativePath) const {
    std::ifstream in(dir + "/" + relativePath, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempDir::exists(const std::string& relativePath) const {
    struct stat st;
    return stat((dir + "/" + relativePath).c_str(), &st) == 0;
}

int runCommand(const std::string& command) {
    int status = system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
