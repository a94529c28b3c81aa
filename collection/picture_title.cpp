#include "collection/picture_title.h"

#include <array>

#include "base/name_characters.h"
#include "base/text_case.h"

namespace {

constexpr std::string_view kFallbackTitle = "Image";

// Names the system opens as devices whatever folder or extension goes with them. The digits
// include 0 and the superscripts 1, 2 and 3 of Windows-1252, which some versions treat alike.
constexpr std::array<std::string_view, 6> kDeviceNames = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
constexpr std::array<std::string_view, 2> kNumberedDeviceNames = {"COM", "LPT"};
constexpr std::string_view kDeviceDigits = "0123456789\xB9\xB2\xB3";

bool IsTrailingTrimmed(char c) {
    return c == '.' || c == ' ';
}

// The part of a title that the system compares with device names: up to the first dot,
// without the blanks in front of that dot.
std::string_view DeviceStem(std::string_view title) {
    std::string_view stem = title.substr(0, title.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    return stem;
}

bool IsDeviceName(std::string_view title) {
    const std::string_view stem = DeviceStem(title);
    for (std::string_view device : kDeviceNames) {
        if (EqualNoCaseAscii(stem, device)) return true;
    }
    if (stem.size() != 4 || kDeviceDigits.find(stem[3]) == std::string_view::npos) return false;
    for (std::string_view device : kNumberedDeviceNames) {
        if (EqualNoCaseAscii(stem.substr(0, 3), device)) return true;
    }
    return false;
}

void DropTrailingDotsAndBlanks(std::string& title) {
    while (!title.empty() && IsTrailingTrimmed(title.back())) title.pop_back();
}

}  // namespace

TitleCheck CheckTitle(std::string_view title, size_t maxLength) {
    if (title.empty()) return TitleCheck::kEmpty;
    if (title.size() > maxLength) return TitleCheck::kTooLong;
    for (char c : title) {
        if (!IsNameCharacter(static_cast<unsigned char>(c))) return TitleCheck::kInvalidCharacters;
    }
    if (IsTrailingTrimmed(title.back()) || IsDeviceName(title)) return TitleCheck::kInvalidCharacters;
    return TitleCheck::kValid;
}

std::string MakeValidTitle(std::string_view name) {
    std::string title(name.substr(0, kStoredTitleLength));
    for (char& c : title) {
        if (!IsNameCharacter(static_cast<unsigned char>(c))) c = '_';
    }
    DropTrailingDotsAndBlanks(title);
    if (IsDeviceName(title)) {
        // The stem is at most 7 characters, so a cut at the end never reaches the inserted mark.
        title.insert(DeviceStem(title).size(), 1, '_');
        if (title.size() > kStoredTitleLength) title.resize(kStoredTitleLength);
        DropTrailingDotsAndBlanks(title);
    }
    if (title.empty()) title = kFallbackTitle;
    return title;
}

std::string TitleFromFileName(std::string_view fileName) {
    const size_t folderEnd = fileName.find_last_of("/\\");
    if (folderEnd != std::string_view::npos) fileName.remove_prefix(folderEnd + 1);
    const size_t dot = fileName.rfind('.');
    // A name that starts with its only dot (".hidden") has no extension to drop.
    if (dot != std::string_view::npos && dot > 0) fileName = fileName.substr(0, dot);
    return MakeValidTitle(fileName);
}

int FindPictureIndex(const std::vector<std::string>& titles, std::string_view title) {
    if (title.empty()) return -1;
    for (size_t i = 0; i < titles.size(); ++i) {
        if (EqualNoCaseCp1252(titles[i], title)) return static_cast<int>(i);
    }
    return -1;
}
