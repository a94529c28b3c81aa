// The thumbnails the client's announcements show: the picture fitted inside 120 × 90 pixels
// keeping its proportions (Lanczos-3, the client's own choice for its thumbnails), a JPEG
// beside the picture's .tqi file. It is made on its first request and kept; instances that
// make the same one at once each write a file of their own and move it into place.
#pragma once

#include <string>
#include <string_view>

constexpr int kThumbnailWidth = 120;
constexpr int kThumbnailHeight = 90;
constexpr int kThumbnailQuality = 90;

enum class ThumbnailResult { kReady, kNoPicture, kFailed };

// Makes the thumbnail of the catalogue picture unless it exists; `path` receives its file.
[[nodiscard]] ThumbnailResult EnsureThumbnail(std::string_view pictures,
                                              std::string_view category,
                                              std::string_view gallery,
                                              std::string_view image,
                                              std::string& path);
