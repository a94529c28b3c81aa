// Benchmark: reading the picture list of collections of 1,000 and 10,000 pictures, as the
// main window does at start-up (headers only). Prints the time of the first and of the best
// of three loads and how far the process's peak resident memory grew; it never fails on speed.
//
//     collection_list_bench [FOLDER]
//
// The collections are made in FOLDER (default: a new folder under /tmp, removed afterwards),
// each picture a .tqi file with 4 KB of payload, so the folder holds realistic file headers
// without gigabytes of pictures. The files were just written, so the loads run from the page
// cache; a cold start from disk is slower by the disk's seek time per file.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/directory_listing.h"
#include "base/file_io.h"
#include "collection/collection_list.h"
#include "collection/tqi_file.h"

namespace {

using Clock = std::chrono::steady_clock;

// The process's peak resident memory in KB (VmHWM), or -1.
long PeakResidentKb() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
    }
    std::fclose(status);
    return kb;
}

// Titles of varied words and lengths, so sorting compares like a real collection.
std::string TitleOf(int index) {
    static const char* const kWords[] = {"Sunset",
                                         "harbour",
                                         "\xC9glise",
                                         "Mountain",
                                         "lake",
                                         "Forest",
                                         "Z\xE8"
                                         "bre",
                                         "old town",
                                         "Desert",
                                         "Night sky",
                                         "Coast",
                                         "bridge"};
    constexpr int kWordCount = sizeof kWords / sizeof kWords[0];
    char title[kPictureTitleCapacity];
    std::snprintf(title, sizeof title, "%s %s %05d", kWords[(index * 7) % kWordCount], kWords[index % kWordCount],
                  index);
    return title;
}

// Makes the collection, or keeps one that a previous run left in a given folder.
bool MakeCollection(const std::string& folder, int count) {
    std::vector<std::string> names;
    if (ListFilesWithExtension(folder.c_str(), ".tqi", names) && names.size() == static_cast<size_t>(count)) {
        return true;
    }
    std::filesystem::create_directories(folder);
    unsigned char payload[4096];
    uint32_t noise = 1;
    for (unsigned char& byte : payload) {
        noise = noise * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(noise >> 24);
    }
    for (int i = 0; i < count; ++i) {
        PictureRecord record;
        std::string title = TitleOf(i);
        std::memcpy(record.title, title.c_str(), title.size() + 1);
        record.width = 1920;
        record.height = 1080;
        record.payload = payload;
        record.payloadSize = sizeof payload;
        unsigned char* image = nullptr;
        size_t size = 0;
        if (EncodePictureFile(record, &image, &size) != 0) return false;
        File file;
        std::string path = PathInFolder(folder, title + ".tqi");
        bool written = file.CreateExclusive(path.c_str()) && file.WriteAll(image, size);
        std::free(image);
        if (!written) return false;
    }
    return true;
}

double LoadMilliseconds(const std::string& folder, size_t& listed) {
    Clock::time_point start = Clock::now();
    CollectionTitles titles = LoadCollectionTitles(folder.c_str(), [](int) {});
    listed = titles.titles.size();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::string root;
    bool removeAfterwards = argc < 2;
    if (argc >= 2) {
        root = argv[1];
    } else {
        char pattern[] = "/tmp/tq_collection_bench_XXXXXX";
        if (::mkdtemp(pattern) == nullptr) return 1;
        root = pattern;
    }

    std::printf("%-10s %10s %12s %12s %16s\n", "pictures", "listed", "first (ms)", "best (ms)", "peak growth (KB)");
    for (int count : {1000, 10000}) {
        std::string folder = PathInFolder(root, "Images" + std::to_string(count));
        if (!MakeCollection(folder, count)) {
            std::fprintf(stderr, "cannot make the collection in %s\n", folder.c_str());
            return 1;
        }
        long peakBefore = PeakResidentKb();
        size_t listed = 0;
        double first = LoadMilliseconds(folder, listed);
        double best = first;
        for (int run = 0; run < 2; ++run) best = std::min(best, LoadMilliseconds(folder, listed));
        long peakAfter = PeakResidentKb();
        std::printf("%-10d %10zu %12.1f %12.1f %16ld\n", count, listed, first, best, peakAfter - peakBefore);
    }
    if (removeAfterwards) std::filesystem::remove_all(root);
    return 0;
}
