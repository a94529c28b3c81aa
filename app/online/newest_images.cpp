#include "app/online/newest_images.h"

#include <cstring>

#include "base/text_case.h"
#include "settings/settings_loader.h"

namespace {

// White space as the C library's isspace knows it in the "C" locale.
bool IsReplySpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads the reply from `at`, one field at a time, never past its end.
class ReplyReader {
public:
    explicit ReplyReader(std::string_view reply) : reply_(reply) {}

    void SkipSpace() {
        while (at_ < reply_.size() && IsReplySpace(reply_[at_])) ++at_;
    }
    // A run of one or more characters other than white space.
    bool ReadWord(std::string_view& word) {
        size_t end = at_;
        while (end < reply_.size() && !IsReplySpace(reply_[end])) ++end;
        if (end == at_) return false;
        word = reply_.substr(at_, end - at_);
        at_ = end;
        return true;
    }
    bool ReadChar(char wanted) {
        if (at_ >= reply_.size() || reply_[at_] != wanted) return false;
        ++at_;
        return true;
    }
    // A run of one or more characters other than the double quote.
    bool ReadQuoted(std::string_view& text) {
        size_t end = at_;
        while (end < reply_.size() && reply_[end] != '"') ++end;
        if (end == at_) return false;
        text = reply_.substr(at_, end - at_);
        at_ = end;
        return true;
    }

private:
    std::string_view reply_;
    size_t at_ = 0;
};

// The description of one entry: white space, a double quote, one or more other characters and
// the closing quote.
bool ReadDescription(ReplyReader& reader, std::string_view& description) {
    reader.SkipSpace();
    return reader.ReadChar('"') && reader.ReadQuoted(description) && reader.ReadChar('"');
}

void CopyToSlot(char (&slot)[kNewestImageSlot], const std::string& text) {
    const size_t length = text.size() < kNewestImageTextLength ? text.size() : kNewestImageTextLength;
    std::memcpy(slot, text.data(), length);
    std::memset(slot + length, 0, kNewestImageSlot - length);
}

// The stamp's age at `utcNow` is past `limitSeconds`; a stamp that is no calendar time counts
// as long past, so a damaged or never written value cannot stop the checks for good.
bool IsOlderThan(const SystemTime& stamp, const SystemTime& utcNow, int32_t limitSeconds) {
    int32_t elapsed = 0;
    if (!ElapsedWholeSeconds(stamp, utcNow, elapsed)) return true;
    return elapsed > limitSeconds;
}

constexpr int32_t kNewestListPeriodSeconds = 21599;   // six hours, less one second
constexpr int32_t kAnnouncementPeriodSeconds = 3599;  // one hour, less one second

}  // namespace

bool ParseNewestListReply(std::string_view reply, NewestList& list) {
    list = NewestList{};
    reply = reply.substr(0, reply.find('\0'));
    const std::string_view prefix = kNewestListPrefix;
    if (reply.substr(0, prefix.size()) != prefix) return false;
    ReplyReader reader(reply.substr(prefix.size()));
    int fields = 0;
    for (int entry = 0; entry < kNewestImageSlots; ++entry) {
        std::string_view identifier;
        reader.SkipSpace();
        if (!reader.ReadWord(identifier) || identifier.size() > kNewestImageTextLength) break;
        list.identifier[entry] = identifier;
        ++fields;
        std::string_view description;
        if (!ReadDescription(reader, description)) break;
        list.description[entry] = description.substr(0, kNewestImageTextLength);
        ++fields;
    }
    list.count = fields / 2;
    return true;
}

bool SplitPictureIdentifier(std::string_view identifier, PictureIdentifierParts& parts) {
    const size_t first = identifier.find('/');
    if (first == std::string_view::npos) return false;
    const size_t second = identifier.find('/', first + 1);
    if (second == std::string_view::npos) return false;
    const size_t third = identifier.find('/', second + 1);
    const std::string_view category = identifier.substr(0, first);
    const std::string_view gallery = identifier.substr(first + 1, second - first - 1);
    const std::string_view image =
        identifier.substr(second + 1, third == std::string_view::npos ? std::string_view::npos : third - second - 1);
    if (category.empty() || gallery.empty() || image.empty()) return false;
    parts.category = category;
    parts.gallery = gallery;
    parts.image = image;
    return true;
}

bool IsServiceErrorToken(std::string_view reply) {
    for (const char* token : {kErrorDownloads, kErrorFile, kErrorClientId, kErrorServer}) {
        if (EqualNoCaseAscii(reply, token)) return true;
    }
    return false;
}

bool TakeNewestList(Settings& settings, const NewestList& list) {
    if (EqualNoCaseCp1252(list.description[0], settings.szNewestImageDescription[0]) &&
        EqualNoCaseCp1252(list.identifier[0], settings.szNewestImageIdString[0])) {
        return false;
    }
    for (int i = 0; i < kNewestImageSlots; ++i) {
        CopyToSlot(settings.szNewestImageDescription[i], list.description[i]);
        CopyToSlot(settings.szNewestImageIdString[i], list.identifier[i]);
    }
    settings.btNewestImagesNotShownYet = static_cast<uint8_t>((1u << list.count) - 1);
    return true;
}

bool UpdateNewestImages(Settings& settings, std::string_view reply) {
    NewestList list;
    return ParseNewestListReply(reply, list) && TakeNewestList(settings, list);
}

bool WriteNewestImages(SettingsStore& store, const Settings& settings) {
    bool written = true;
    for (int i = 0; i < kNewestImageSlots; ++i) {
        written = WriteSetting(store, settings, settings.szNewestImageDescription[i]) && written;
        written = WriteSetting(store, settings, settings.szNewestImageIdString[i]) && written;
    }
    return WriteSetting(store, settings, settings.btNewestImagesNotShownYet) && written;
}

void MarkNewestImageShown(Settings& settings, int index) {
    if (index < 0 || index >= kNewestImageSlots) return;
    settings.btNewestImagesNotShownYet = static_cast<uint8_t>(settings.btNewestImagesNotShownYet & ~(1u << index));
}

OnlineTickAction DecideOnlineTick(const Settings& settings,
                                  const SystemTime& utcNow,
                                  OnlineState state,
                                  RandomState& random) {
    OnlineTickAction action;
    if (settings.btNewImageNotifications != 1 || state != OnlineState::Idle) return action;
    if (IsOlderThan(settings.stLastCheckNewestImages, utcNow, kNewestListPeriodSeconds)) {
        action.start = OnlineStart::NewestList;
        return action;
    }
    const unsigned mask = settings.btNewestImagesNotShownYet;
    if (mask == 0 || !IsOlderThan(settings.stLastPopupNewestImages, utcNow, kAnnouncementPeriodSeconds)) {
        return action;
    }
    // Terminates: the mask has a bit among the eight that Random(8) draws.
    int index;
    do {
        index = Random(random, kNewestImageSlots);
    } while ((mask & (1u << index)) == 0);
    action.start = OnlineStart::Thumbnail;
    action.index = index;
    return action;
}
