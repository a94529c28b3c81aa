// The readable description of a skin (a JSON document plus BMP pictures) from which
// tqtool skin-build makes a skin record. docs/skin-format.md is the user's guide to it.
//
// Host tools only: the description is parsed with nlohmann-json, without exceptions.
#pragma once

#include <string>
#include <vector>

#include "ui/skin_builder.h"

struct SkinDescriptionOptions {
    // Folders searched, after the description's own folder, for pictures with relative paths.
    std::vector<std::string> pictureFolders;
};

// Reads the description text (`text`, from the file `path`, which anchors relative picture
// paths) into `skin`, loading every picture. False with a message in `error` on any fault.
[[nodiscard]] bool ReadSkinDescription(const std::string& text,
                                       const std::string& path,
                                       const SkinDescriptionOptions& options,
                                       SkinSource& skin,
                                       std::string& error);

// A style given by name ("WS_TABSTOP", "LBS_SORT", ...); false for an unknown name.
[[nodiscard]] bool LookUpStyleName(const std::string& name, uint32_t& value);
