#include "tests/support/test_support.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace test_support {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path path = fs::temp_directory_path() / ("tq-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(path);
    path_ = path.string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const {
    return (fs::path(path_) / name).string();
}

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) names.push_back(entry.path().filename().string());
    return names;
}

namespace {

std::string TreePath(const char* variable, const char* builtIn, const std::string& relative) {
    const char* root = std::getenv(variable);
    std::string base = root != nullptr && *root != '\0' ? root : builtIn;
#ifdef _WIN32
    // Under Wine the Unix root is drive Z:.
    if (!base.empty() && base[0] == '/') base = "Z:" + base;
#endif
    return relative.empty() ? base : base + "/" + relative;
}

}  // namespace

std::string SourcePath(const std::string& relative) {
    return TreePath("TQ_SOURCE_DIR", TQ_SOURCE_DIR_AT_BUILD, relative);
}

std::string BinaryPath(const std::string& relative) {
    return TreePath("TQ_BINARY_DIR", TQ_BINARY_DIR_AT_BUILD, relative);
}

Bytes PseudoRandomBytes(size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    Bytes bytes(count);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(generator());
    return bytes;
}

}  // namespace test_support
