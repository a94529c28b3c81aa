// A picture's title, which is also its file name in the collection folder ("<title>.tqi"):
// the checks that keep every title a plain file name inside that folder, and the repair that
// makes a title of any imported file name.
//
//     if (CheckTitle(typed, kTypedTitleLength) == TitleCheck::kInvalidCharacters) ...  // tell the user
//     std::string title = TitleFromFileName("beach.png");                               // "beach"
//
// Titles are Windows-1252 text; two titles that differ only in letter case are the same
// picture (base/text_case.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

constexpr size_t kTypedTitleLength = 120;   // the longest title the user may type
constexpr size_t kStoredTitleLength = 127;  // the longest title a picture file holds

enum class TitleCheck {
    kValid,
    kEmpty,
    kTooLong,
    // A byte that is no name character (base/name_characters.h), a name the system keeps for a
    // device (CON, PRN, AUX, NUL, COM0-9, LPT0-9, also with an extension), or a trailing dot
    // or blank, which the system would silently drop from the file name.
    kInvalidCharacters,
};

[[nodiscard]] TitleCheck CheckTitle(std::string_view title, size_t maxLength);

// A valid title made of any name: bytes that are no name characters become '_', a device
// name gets a '_' behind it ("CON" -> "CON_"), trailing dots and blanks go, and the result is
// cut to kStoredTitleLength. A name with nothing left becomes "Image".
[[nodiscard]] std::string MakeValidTitle(std::string_view name);

// The title of an imported file: its name without folder and last extension, made valid.
[[nodiscard]] std::string TitleFromFileName(std::string_view fileName);

// Position of `title` in the list (exact match of the whole entry, any letter case of
// Windows-1252, accented letters included), or -1 when the title is empty or not listed.
[[nodiscard]] int FindPictureIndex(const std::vector<std::string>& titles, std::string_view title);
