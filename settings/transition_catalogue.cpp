#include "settings/transition_catalogue.h"

#include <cstring>

namespace {

constexpr TransitionGroup kSimple = TransitionGroup::Simple;
constexpr TransitionGroup kSmooth = TransitionGroup::Smooth;
constexpr TransitionGroup kAdvanced = TransitionGroup::Advanced;

const TransitionCatalogueEntry kCatalogue[kTransitionCount] = {
    {kSimple, "Barn", 3, 2000},           {kSimple, "Blinds", 3, 2000},
    {kSimple, "Inset", 3, 2000},          {kSimple, "Iris", 3, 2000},
    {kSimple, "Radial Wipe", 3, 2000},    {kSimple, "Slide", 3, 2000},
    {kSimple, "Spiral", 3, 2000},         {kSimple, "Stretch", 3, 2000},
    {kSimple, "Wheel", 3, 2000},          {kSimple, "Zigzag", 3, 2000},
    {kSmooth, "Fade", 1, 2000},           {kSmooth, "Pixelate", 1, 3000},
    {kSmooth, "Wipe Horizontal", 3, 3000}, {kSmooth, "Wipe Vertical", 3, 3000},
    {kAdvanced, "Burn Film", 3, 4000},    {kAdvanced, "Center Curls", 3, 3000},
    {kAdvanced, "Color Fade", 1, 2000},   {kAdvanced, "Curls", 3, 3000},
    {kAdvanced, "Curtains", 3, 3000},     {kAdvanced, "Fade White", 1, 2000},
    {kAdvanced, "Flow Motion", 3, 3000},  {kAdvanced, "Glass Block", 3, 3000},
    {kAdvanced, "Grid", 3, 3000},         {kAdvanced, "Jaws", 3, 3000},
    {kAdvanced, "Lens", 1, 4000},         {kAdvanced, "Light Wipe", 1, 3000},
    {kAdvanced, "Liquid", 1, 4000},       {kAdvanced, "Page Curl", 3, 3000},
    {kAdvanced, "Peel ABCD", 1, 3000},    {kAdvanced, "Ripple", 1, 4000},
    {kAdvanced, "Roll Down", 3, 3000},    {kAdvanced, "Threshold", 1, 2000},
    {kAdvanced, "Twister", 3, 4000},      {kAdvanced, "Vacuum", 3, 3000},
    {kAdvanced, "Water", 3, 4000},        {kAdvanced, "Worm Hole", 3, 4000},
};

// prefix + group word + "Transition" + the name without its blanks.
bool MakeValueName(const char* prefix, int index, char* out, size_t size) {
    if (index < 0 || index >= kTransitionCount || out == nullptr || size == 0) return false;
    const TransitionCatalogueEntry& entry = kCatalogue[index];
    size_t length = 0;
    auto append = [&](const char* text, bool skipBlanks) {
        for (; *text != '\0'; ++text) {
            if (skipBlanks && *text == ' ') continue;
            if (length + 1 >= size) return false;
            out[length++] = *text;
        }
        return true;
    };
    bool fits = append(prefix, false) && append(TransitionGroupWord(entry.group), false) &&
                append("Transition", false) && append(entry.name, true);
    out[fits ? length : 0] = '\0';
    return fits;
}

}  // namespace

const TransitionCatalogueEntry& TransitionCatalogue(int index) {
    if (index < 0 || index >= kTransitionCount) index = 0;
    return kCatalogue[index];
}

const char* TransitionGroupWord(TransitionGroup group) {
    switch (group) {
    case TransitionGroup::Simple: return "Simple";
    case TransitionGroup::Smooth: return "Smooth";
    case TransitionGroup::Advanced: return "Advanced";
    }
    return "";
}

const char* TransitionGroupLabel(TransitionGroup group) {
    switch (group) {
    case TransitionGroup::Simple: return "Simple transitions";
    case TransitionGroup::Smooth: return "Smooth transitions";
    case TransitionGroup::Advanced: return "Advanced effects";
    }
    return "";
}

bool TransitionEnableValueName(int index, char* out, size_t size) { return MakeValueName("btEnable", index, out, size); }

bool TransitionDurationValueName(int index, char* out, size_t size) {
    return MakeValueName("dwDuration", index, out, size);
}
