// Helpers for the unit tests of both builds: private temporary folders, file contents, and
// the location of the source tree (as a Windows path when running under Wine).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace test_support {

using Bytes = std::vector<unsigned char>;

// A fresh, empty folder that is removed with everything in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // The path of `name` inside the folder.
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);
bool FileExists(const std::string& path);
std::vector<std::string> ListFolder(const std::string& path);

// A file of the source tree, given relative to its root (TQ_SOURCE_DIR).
std::string SourcePath(const std::string& relative);
// A file of the build tree the test belongs to (TQ_BINARY_DIR).
std::string BinaryPath(const std::string& relative);

// Deterministic pseudo-random bytes, for payloads and noise pictures.
Bytes PseudoRandomBytes(size_t count, unsigned seed);

}  // namespace test_support
