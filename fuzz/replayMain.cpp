// Replays fuzz inputs without libFuzzer: every file named on the command line, or found in a
// folder named there, is fed to the target's entry function once. Used by the test suite to
// run the kept corpora with the ordinary compiler and sanitizers.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void collect(const std::string& path, std::vector<std::string>* files) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return;
    if (!S_ISDIR(st.st_mode)) {
        files->push_back(path);
        return;
    }
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.')
            names.push_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        collect(path + "/" + name, files);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; i++)
        collect(argv[i], &files);
    if (files.empty()) {
        fprintf(stderr, "no inputs found\n");
        return 1;
    }
    // All inputs are read first: the targets work in a folder of their own.
    std::vector<std::vector<uint8_t>> inputs;
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (const std::vector<uint8_t>& bytes : inputs)
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    printf("replayed %zu inputs\n", files.size());
    return 0;
}
