#include "ui/skin_description.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/windows1252_text.h"

namespace {

using Json = nlohmann::json;
namespace fs = std::filesystem;

struct NamedValue {
    const char* name;
    uint32_t value;
};

constexpr NamedValue kStyleNames[] = {
    {"WS_TABSTOP", 0x00010000},
    {"WS_GROUP", 0x00020000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_BORDER", 0x00800000},
    {"WS_DISABLED", 0x08000000},
    {"WS_EX_TRANSPARENT", 0x20},
    {"WS_EX_CLIENTEDGE", 0x200},
    {"WS_EX_STATICEDGE", 0x20000},
    {"SS_LEFT", 0x0},
    {"SS_CENTER", 0x1},
    {"SS_RIGHT", 0x2},
    {"SS_LEFTNOWORDWRAP", 0xC},
    {"SS_CENTERIMAGE", 0x200},
    {"SS_ENDELLIPSIS", 0x4000},
    {"SS_PATHELLIPSIS", 0x8000},
    {"SS_WORDELLIPSIS", 0xC000},
    {"LBS_NOTIFY", 0x1},
    {"LBS_SORT", 0x2},
    {"LBS_HASSTRINGS", 0x40},
    {"LBS_NOINTEGRALHEIGHT", 0x100},
    {"LBS_DISABLENOSCROLL", 0x1000},
    {"PBS_SMOOTH", 0x1},
    {"ES_AUTOHSCROLL", 0x80},
};

constexpr NamedValue kStateNames[] = {
    {"disabled", 0},     {"normal", 1},  {"normalFocused", 2},  {"hover", 5},
    {"hoverFocused", 6}, {"pressed", 7}, {"pressedFocused", 8},
};

constexpr NamedValue kKindNames[] = {{"custom", 0}, {"label", 1}, {"picture", 2}, {"button", 3}};

bool FindNamed(const NamedValue* table, size_t count, const std::string& name, uint32_t& value) {
    for (size_t i = 0; i < count; ++i) {
        if (name == table[i].name) {
            value = table[i].value;
            return true;
        }
    }
    return false;
}

std::string Replace(std::string text, const std::string& key, const std::string& value) {
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size())) {
        text.replace(at, key.size(), value);
    }
    return text;
}

// Everything one element description needs while it is read.
struct Context {
    const fs::path* base;
    const SkinDescriptionOptions* options;
    std::string language;  // the element's language when it is expanded per language
    std::string* error;

    bool Fail(const std::string& where, const std::string& message) const {
        *error = where + ": " + message;
        return false;
    }
};

bool LoadPicture(const Context& context, const std::string& where, std::string name, ByteVector& picture) {
    name = Replace(name, "{lang}", context.language);
    std::vector<fs::path> candidates;
    fs::path given(name);
    if (given.is_absolute()) {
        candidates.push_back(given);
    } else {
        candidates.push_back(*context.base / given);
        for (const std::string& folder : context.options->pictureFolders)
            candidates.push_back(fs::path(folder) / given);
    }
    for (const fs::path& candidate : candidates) {
        std::ifstream file(candidate, std::ios::binary);
        if (!file) continue;
        picture.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (picture.size() < 26 || picture[0] != 'B' || picture[1] != 'M') {
            return context.Fail(where, candidate.string() + " is not a BMP file");
        }
        return true;
    }
    return context.Fail(where, "picture not found: " + name);
}

bool ReadInteger(const Json& value, int64_t low, int64_t high, int64_t& out) {
    if (value.is_number_integer()) {
        out = value.get<int64_t>();
    } else if (value.is_string()) {
        const std::string& text = value.get_ref<const std::string&>();
        char* end = nullptr;
        long long parsed = std::strtoll(text.c_str(), &end, 0);
        if (text.empty() || *end != '\0') return false;
        out = parsed;
    } else {
        return false;
    }
    return out >= low && out <= high;
}

// A number, a "0x..." string, or a list of style names and numbers combined.
bool ReadStyle(const Json& value, uint32_t& style) {
    style = 0;
    if (value.is_array()) {
        for (const Json& item : value) {
            uint32_t bits = 0;
            int64_t number = 0;
            if (item.is_string() && LookUpStyleName(item.get<std::string>(), bits)) {
                style |= bits;
            } else if (ReadInteger(item, 0, UINT32_MAX, number)) {
                style |= static_cast<uint32_t>(number);
            } else {
                return false;
            }
        }
        return true;
    }
    uint32_t bits = 0;
    if (value.is_string() && LookUpStyleName(value.get<std::string>(), bits)) {
        style = bits;
        return true;
    }
    int64_t number = 0;
    if (!ReadInteger(value, 0, UINT32_MAX, number)) return false;
    style = static_cast<uint32_t>(number);
    return true;
}

// "#RRGGBB" into a COLORREF (0x00BBGGRR); "transparent" into 0xFFFFFFFF.
bool ReadColour(const Json& value, uint32_t& colour) {
    if (!value.is_string()) return false;
    const std::string& text = value.get_ref<const std::string&>();
    if (text == "transparent") {
        colour = kSkinNoBackgroundColour;
        return true;
    }
    if (text.size() != 7 || text[0] != '#' || !std::all_of(text.begin() + 1, text.end(), ::isxdigit)) return false;
    uint32_t rgb = static_cast<uint32_t>(std::strtoul(text.c_str() + 1, nullptr, 16));
    colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

bool ReadText(const Context& context, const std::string& where, const Json& value, std::string& text) {
    if (value.is_object()) {
        auto found = value.find(context.language);
        if (found == value.end() || !found->is_string()) return context.Fail(where, "no text for " + context.language);
        text = found->get<std::string>();
    } else if (value.is_string()) {
        text = Replace(value.get<std::string>(), "{lang}", context.language);
    } else {
        return context.Fail(where, "\"text\" must be a string or an object of texts by language");
    }
    return true;
}

bool ReadStates(const Context& context, const std::string& where, const Json& element, SkinElementSource& out) {
    std::vector<std::pair<uint8_t, std::string>> states;
    if (auto pattern = element.find("statePictures"); pattern != element.end()) {
        if (!pattern->is_string()) return context.Fail(where, "\"statePictures\" must be a file name pattern");
        for (const NamedValue& state : kStateNames) {
            states.emplace_back(static_cast<uint8_t>(state.value),
                                Replace(pattern->get<std::string>(), "{state}", state.name));
        }
    }
    if (auto list = element.find("states"); list != element.end()) {
        if (!list->is_object()) return context.Fail(where, "\"states\" must map state names to pictures");
        for (const auto& [key, file] : list->items()) {
            uint32_t state = 0;
            int64_t number = 0;
            if (!FindNamed(kStateNames, std::size(kStateNames), key, state)) {
                if (!ReadInteger(Json(key), 0, 255, number)) return context.Fail(where, "unknown state " + key);
                state = static_cast<uint32_t>(number);
            }
            if (!file.is_string()) return context.Fail(where, "state " + key + " needs a picture file");
            states.emplace_back(static_cast<uint8_t>(state), file.get<std::string>());
        }
    }
    if (states.empty()) return context.Fail(where, "a button needs \"statePictures\" or \"states\"");
    std::stable_sort(states.begin(), states.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [state, file] : states) {
        ByteVector picture;
        if (!LoadPicture(context, where, file, picture)) return false;
        out.statePictures.emplace_back(state, std::move(picture));
    }
    return true;
}

bool ReadElement(const Context& context, const Json& element, SkinElementSource& out) {
    std::string where = "element";
    if (auto id = element.find("id"); id != element.end()) where += " " + id->dump();
    if (!context.language.empty()) where += " (" + context.language + ")";
    if (!element.is_object()) return context.Fail(where, "must be an object");

    int64_t number = 0;
    auto field = [&](const char* name) { return element.find(name); };
    auto need = [&](const char* name) -> const Json* {
        auto found = field(name);
        if (found == element.end()) {
            context.Fail(where, std::string("missing \"") + name + "\"");
            return nullptr;
        }
        return &*found;
    };

    const Json* kind = need("kind");
    if (kind == nullptr) return false;
    uint32_t kindValue = 0;
    if (!kind->is_string() || !FindNamed(kKindNames, std::size(kKindNames), kind->get<std::string>(), kindValue)) {
        return context.Fail(where, "\"kind\" must be custom, label, picture or button");
    }
    out.kind = static_cast<uint8_t>(kindValue);

    const Json* id = need("id");
    if (id == nullptr) return false;
    if (!ReadInteger(*id, 0, UINT32_MAX, number)) return context.Fail(where, "\"id\" must be a number");
    out.controlId = static_cast<uint32_t>(number);

    const char* geometry[] = {"x", "y", "width", "height"};
    int32_t* targets[] = {&out.x, &out.y, &out.width, &out.height};
    for (int i = 0; i < 4; ++i) {
        const Json* value = need(geometry[i]);
        if (value == nullptr) return false;
        if (!ReadInteger(*value, INT32_MIN, INT32_MAX, number)) {
            return context.Fail(where, std::string("\"") + geometry[i] + "\" must be a number");
        }
        *targets[i] = static_cast<int32_t>(number);
    }

    if (const Json* text = need("text"); text == nullptr || !ReadText(context, where, *text, out.text)) return false;
    if (!Utf8ToWindows1252(out.text, out.text)) {
        return context.Fail(where, "the text has a character outside code page 1252");
    }
    if (out.text.empty() || out.text.size() > kSkinMaxString) {
        return context.Fail(where, "the text must have 1 to 127 bytes");
    }

    out.language = context.language.empty() ? "**" : context.language;
    if (auto language = field("language"); language != element.end()) {
        if (!context.language.empty()) return context.Fail(where, "\"language\" and \"languages\" exclude each other");
        if (!language->is_string() || language->get<std::string>().size() != 2) {
            return context.Fail(where, "\"language\" must be ** or a two-letter code");
        }
        out.language = language->get<std::string>();
    }
    if (auto style = field("style"); style != element.end() && !ReadStyle(*style, out.style)) {
        return context.Fail(where, "unknown \"style\"");
    }
    if (auto style = field("extendedStyle"); style != element.end() && !ReadStyle(*style, out.extendedStyle)) {
        return context.Fail(where, "unknown \"extendedStyle\"");
    }
    if (auto cursor = field("cursor"); cursor != element.end()) {
        if (!cursor->is_string() || (*cursor != "hand" && *cursor != "arrow")) {
            return context.Fail(where, "\"cursor\" must be hand or arrow");
        }
        out.cursor = *cursor == "hand" ? kSkinHandCursor : 0;
    }
    const char* links[] = {"next", "previous"};
    uint32_t* linkTargets[] = {&out.nextId, &out.previousId};
    for (int i = 0; i < 2; ++i) {
        auto link = field(links[i]);
        if (link == element.end()) continue;
        if (!ReadInteger(*link, 0, UINT32_MAX, number)) {
            return context.Fail(where, std::string("\"") + links[i] + "\" must be a control id");
        }
        *linkTargets[i] = static_cast<uint32_t>(number);
    }

    if (out.kind == kSkinCustom || out.kind == kSkinLabel) {
        if (auto font = field("font"); font != element.end()) {
            if (!ReadInteger(*font, 0, 255, number)) return context.Fail(where, "\"font\" must be 0 to 255");
            out.fontIndex = static_cast<uint8_t>(number);
        }
    }
    switch (out.kind) {
        case kSkinCustom: {
            const Json* className = need("className");
            if (className == nullptr) return false;
            if (!className->is_string()) return context.Fail(where, "\"className\" must be a string");
            out.className = className->get<std::string>();
            if (out.className.empty() || out.className.size() > kSkinMaxString) {
                return context.Fail(where, "the class name must have 1 to 127 bytes");
            }
            return true;
        }
        case kSkinLabel:
            if (auto colour = field("textColour"); colour != element.end() && !ReadColour(*colour, out.textColour)) {
                return context.Fail(where, "\"textColour\" must be #RRGGBB");
            }
            if (auto colour = field("backgroundColour");
                colour != element.end() && !ReadColour(*colour, out.backgroundColour)) {
                return context.Fail(where, "\"backgroundColour\" must be #RRGGBB or transparent");
            }
            return true;
        case kSkinPicture: {
            const Json* picture = need("picture");
            if (picture == nullptr) return false;
            if (!picture->is_string()) return context.Fail(where, "\"picture\" must be a file name");
            return LoadPicture(context, where, picture->get<std::string>(), out.picture);
        }
        default:
            return ReadStates(context, where, element, out);
    }
}

}  // namespace

bool LookUpStyleName(const std::string& name, uint32_t& value) {
    return FindNamed(kStyleNames, std::size(kStyleNames), name, value);
}

bool ReadSkinDescription(const std::string& text,
                         const std::string& path,
                         const SkinDescriptionOptions& options,
                         SkinSource& skin,
                         std::string& error) {
    skin = SkinSource();
    Json document = Json::parse(text, nullptr, false, true);  // comments allowed
    if (document.is_discarded() || !document.is_object()) {
        error = path + ": not a JSON object";
        return false;
    }
    fs::path base = fs::path(path).parent_path();
    Context context{&base, &options, "", &error};

    if (auto name = document.find("name"); name != document.end()) {
        if (!name->is_string() || name->get<std::string>().size() > kSkinMaxString) {
            error = "\"name\" must be a string of at most 127 bytes";
            return false;
        }
        if (!Utf8ToWindows1252(name->get<std::string>(), skin.name)) {
            error = "\"name\" has a character outside code page 1252";
            return false;
        }
    }
    if (auto background = document.find("background"); background != document.end()) {
        if (!background->is_string()) {
            error = "\"background\" must be a file name";
            return false;
        }
        skin.hasBackground = true;
        if (!LoadPicture(context, "background", background->get<std::string>(), skin.background)) return false;
    }
    auto elements = document.find("elements");
    if (elements == document.end() || !elements->is_array()) {
        error = "\"elements\" must be a list";
        return false;
    }
    for (const Json& element : *elements) {
        std::vector<std::string> languages{""};
        if (element.is_object()) {
            if (auto list = element.find("languages"); list != element.end()) {
                if (!list->is_array() || list->empty()) {
                    error = "\"languages\" must be a list of two-letter codes";
                    return false;
                }
                languages.clear();
                for (const Json& code : *list) {
                    if (!code.is_string() || code.get<std::string>().size() != 2) {
                        error = "\"languages\" must be a list of two-letter codes";
                        return false;
                    }
                    languages.push_back(code.get<std::string>());
                }
            }
        }
        for (const std::string& language : languages) {
            context.language = language;
            SkinElementSource source;
            if (!ReadElement(context, element, source)) return false;
            skin.elements.push_back(std::move(source));
        }
    }
    return true;
}
