// The client's reader of the newest list, on untrusted replies. Properties of every read: at
// most eight pictures, every string within its settings slot, the counted entries well formed
// (an identifier without white space, a description without quotes), and writing the counted
// entries out again reads back to the same entries. Taking the list into the settings marks
// exactly the counted pictures as not shown; an identifier that splits gives three non-empty
// parts that it starts with.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/online/newest_images.h"
#include "app/online/service_pages.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool HasSpace(std::string_view text) {
    return text.find_first_of(" \t\n\v\f\r") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    NewestList list;
    if (!ParseNewestListReply(reply, list)) {
        Require(list.count == 0);
        return 0;
    }
    Require(list.count >= 0 && list.count <= kNewestImageSlots);
    std::string written = kNewestListPrefix;
    for (int i = 0; i < kNewestImageSlots; ++i) {
        Require(list.identifier[i].size() <= kNewestImageTextLength);
        Require(list.description[i].size() <= kNewestImageTextLength);
        if (i >= list.count) continue;
        Require(!list.identifier[i].empty() && !HasSpace(list.identifier[i]));
        Require(!list.description[i].empty() && list.description[i].find('"') == std::string::npos);
        written += "\r\n" + list.identifier[i] + " \"" + list.description[i] + "\"";

        PictureIdentifierParts parts;
        if (SplitPictureIdentifier(list.identifier[i], parts)) {
            Require(!parts.category.empty() && !parts.gallery.empty() && !parts.image.empty());
            const std::string joined = parts.category + "/" + parts.gallery + "/" + parts.image;
            Require(list.identifier[i].compare(0, joined.size(), joined) == 0);
        }
        const std::string escaped = EscapeAddressPath(list.identifier[i]);
        Require(escaped.find_first_of(" \"#?&") == std::string::npos);
    }

    NewestList again;
    Require(ParseNewestListReply(written, again));
    Require(again.count == list.count);
    for (int i = 0; i < list.count; ++i) {
        Require(again.identifier[i] == list.identifier[i] && again.description[i] == list.description[i]);
    }

    Settings settings = DefaultSettings();
    if (TakeNewestList(settings, list)) Require(settings.btNewestImagesNotShownYet == (1u << list.count) - 1);
    return 0;
}
