// The parts of a picture's identifier (Category/Gallery/Image) double as folder and file names
// under the pictures folder, so they are kept to a plain alphabet: letters, digits, '-', '_'
// and '.', not starting with '.', at most 64 bytes. Whatever a request names is checked
// against it before any path is made, so no request reaches outside that folder.
#pragma once

#include <string>
#include <string_view>

constexpr size_t kCatalogueNameLength = 64;

[[nodiscard]] bool IsCatalogueName(std::string_view name);

// A valid name made of any text (a file name): other bytes become '_', leading dots go, the
// rest is cut to kCatalogueNameLength; nothing left gives "Image".
[[nodiscard]] std::string MakeCatalogueName(std::string_view text);

// "<category>/<gallery>/<image>", the identifier the newest list announces.
[[nodiscard]] std::string PictureIdentifier(std::string_view category,
                                            std::string_view gallery,
                                            std::string_view image);

// Where a catalogue picture's files live under the pictures folder `root`.
[[nodiscard]] std::string PictureFilePath(std::string_view root,
                                          std::string_view category,
                                          std::string_view gallery,
                                          std::string_view image);
[[nodiscard]] std::string ThumbnailFilePath(std::string_view root,
                                            std::string_view category,
                                            std::string_view gallery,
                                            std::string_view image);
