// Benchmark: importing pictures as the application does (size from the headers, a full
// decode, the payload read or made as a quality-100 JPEG, the picture file stored) into a
// fresh collection. Prints figures and never fails on speed:
//  - every file of FOLDER imported once: files per second and megapixels per second;
//  - a 12-megapixel JPEG: the best import time over the best decode time of the same file
//    (the goal is at most 1.2: storing the JPEG unchanged should cost little beside decoding);
//  - a 12-megapixel PNG: the best import time (the goal is under a second).
//
//     import_bench FOLDER PHOTO12.jpg PHOTO12.png WORK
//
// WORK receives the collection and the temporary JPEG files; run_import_bench.sh makes the
// pictures. The sources were just written, so they are read from the page cache.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "codec/image_reader.h"
#include "codec/image_source.h"
#include "collection/collection_folder.h"
#include "collection/picture_import.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Best time in seconds of `runs` calls; exits when a call fails.
double BestSeconds(const char* what, const std::function<bool()>& work) {
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        const Clock::time_point start = Clock::now();
        if (!work()) {
            std::fprintf(stderr, "import_bench: %s failed\n", what);
            std::exit(1);
        }
        best = std::min(best, SecondsSince(start));
    }
    return best;
}

struct Imported {
    bool stored = false;
    long long pixels = 0;
};

Imported ImportFile(const std::string& path, const std::string& collection, const std::string& temporary) {
    PictureRecord record;
    Imported imported;
    if (PreparePictureImport(path.c_str(), temporary.c_str(), record) != ImportResult::kImported) return imported;
    imported.pixels = static_cast<long long>(record.width) * record.height;
    imported.stored = StoreCollectionPicture(collection.c_str(), record) == kFileOk;
    FreePicturePayload(record);
    return imported;
}

bool DecodeFile(const std::string& path) {
    ImageSource* source = OpenFileSource(path.c_str());
    if (source == nullptr) return false;
    RgbImage image;
    const bool decoded = ReadImageRgb24(source, image);
    if (decoded) FreeImageRgb24(image);
    (void)CloseSource(source);
    return decoded;
}

void ImportFolder(const std::string& folder, const std::string& collection, const std::string& temporary) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) paths.push_back(entry.path().string());
    long long pixels = 0;
    int refused = 0;
    const Clock::time_point start = Clock::now();
    for (const std::string& path : paths) {
        const Imported imported = ImportFile(path, collection, temporary);
        pixels += imported.pixels;
        if (!imported.stored) ++refused;
    }
    const double seconds = SecondsSince(start);
    std::printf("%zu files (%d not imported), %.1f megapixels: %.2f s, %.1f files/s, %.1f Mpx/s\n", paths.size(),
                refused, pixels / 1e6, seconds, paths.size() / seconds, pixels / 1e6 / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: import_bench FOLDER PHOTO12.jpg PHOTO12.png WORK\n");
        return 2;
    }
    const std::string work = argv[4];
    const std::string collection = work + "/Images";
    const std::string temporary = work + "/temporary";
    std::filesystem::create_directories(temporary);

    ImportFolder(argv[1], collection, temporary);

    const std::string jpeg = argv[2];
    const std::string png = argv[3];
    const double decode = BestSeconds("decoding the JPEG", [&] { return DecodeFile(jpeg); });
    const double importJpeg =
        BestSeconds("importing the JPEG", [&] { return ImportFile(jpeg, collection, temporary).stored; });
    std::printf("12-megapixel JPEG: decode %.0f ms, import %.0f ms, import / decode %.2f (goal <= 1.2)\n",
                decode * 1000, importJpeg * 1000, importJpeg / decode);
    const double importPng =
        BestSeconds("importing the PNG", [&] { return ImportFile(png, collection, temporary).stored; });
    std::printf("12-megapixel PNG: import %.0f ms (goal < 1000 ms)\n", importPng * 1000);
    return 0;
}
