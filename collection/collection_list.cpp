#include "collection/collection_list.h"

#include <algorithm>

#include "base/directory_listing.h"
#include "base/file_io.h"
#include "base/text_case.h"
#include "collection/tqi_file.h"

namespace {

constexpr int kListingStartPercent = 5;
constexpr int kListingPercentSpan = 95;

// A header read in one system call: the longest header a picture file can have, then the
// title and size parsed from memory. Opening and reading each file field by field costs a
// call per field, which a collection of thousands of files feels at start-up.
bool ReadStoredTitle(const std::string& path, PictureRecord& record) {
    unsigned char header[kPictureHeaderSize + kPictureTitleCapacity];
    File file;
    if (!file.OpenForSequentialRead(path.c_str())) return false;
    size_t got = file.Read(header, sizeof header);
    return ReadPictureFile(PictureSource::FromMemory(header, got), record, false) == 0;
}

// Two titles that differ only in letter case name the same file on Windows: the first in
// list order stays, so every lookup (which ignores case) finds exactly one entry.
void DropCaseDuplicates(std::vector<std::string>& titles) {
    auto sameTitle = [](const std::string& a, const std::string& b) { return EqualNoCaseCp1252(a, b); };
    titles.erase(std::unique(titles.begin(), titles.end(), sameTitle), titles.end());
}

}  // namespace

bool TitleBefore(std::string_view a, std::string_view b) {
    int order = CompareNoCaseCp1252(a, b);
    return order != 0 ? order < 0 : a < b;
}

size_t TitleInsertPosition(const std::vector<std::string>& titles, std::string_view title) {
    auto at = std::lower_bound(
        titles.begin(), titles.end(), title,
        [](const std::string& listed, std::string_view wanted) { return TitleBefore(listed, wanted); });
    return static_cast<size_t>(at - titles.begin());
}

CollectionTitles LoadCollectionTitles(const char* folder, const std::function<void(int percent)>& progress) {
    CollectionTitles result;
    std::vector<std::string> names;
    if (!ListFilesWithExtension(folder, ".tqi", names)) return result;
    result.titles.reserve(names.size());

    // The initialization window is driven across threads: report only the percentages that
    // change, not every file of a large collection.
    int reported = -1;
    auto report = [&](int percent) {
        if (progress && percent != reported) progress(percent);
        reported = percent;
    };
    report(kListingStartPercent);
    const long long count = static_cast<long long>(names.size());
    for (const std::string& name : names) {
        PictureRecord record;
        if (ReadStoredTitle(PathInFolder(folder, name), record)) {
            result.titles.emplace_back(record.title);
        } else {
            ++result.skipped;
        }
        report(static_cast<int>(static_cast<long long>(result.titles.size()) * kListingPercentSpan / count) +
               kListingStartPercent);
    }
    std::sort(result.titles.begin(), result.titles.end(), TitleBefore);
    DropCaseDuplicates(result.titles);
    return result;
}
