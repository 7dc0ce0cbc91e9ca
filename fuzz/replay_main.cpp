// Replays the files of the folders named on the command line through a fuzz
// target: the committed corpus as a test, for compilers without libFuzzer.
#include <filesystem>
#include <fstream>
#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size);

int main(int argc, char** argv) {
    int replayed = 0; // none: a broken test, not a pass
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            replayed += !LLVMFuzzerTestOneInput(
                reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        }
    }
    return replayed == 0;
}
