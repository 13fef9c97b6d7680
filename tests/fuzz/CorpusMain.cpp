// Runs a fuzz target once over its seeds without libFuzzer: each file named, or in a folder named, is one
// input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char **argv)
{
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i]))
            inputs.insert(inputs.end(), std::filesystem::directory_iterator(argv[i]), {});
        else
            inputs.emplace_back(argv[i]);
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto &input : inputs) {
        std::string bytes(std::filesystem::file_size(input), '\0');
        std::fprintf(stderr, "%s\n", input.c_str());
        if (!std::ifstream(input, std::ios::binary).read(bytes.data(), std::streamsize(bytes.size())))
            return 2;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs passed\n", inputs.size());
    return inputs.empty() ? 2 : 0;
}
