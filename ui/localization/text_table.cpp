#include "ui/localization/text_table.h"

#include <cstddef>
#include <iterator>

#include "ui/localization/language.h"

namespace {

struct TextRow {
    TextId id;
    const char* name;
    const char* texts[kLanguageCount];
};

// The rows come from text_table.txt, already in code page 1252 (see generate_text_table.py).
constexpr TextRow kTextRows[] = {
#include "text_table_rows.inc"
};

constexpr bool RowsFollowTextIds() {
    for (int index = 0; index < kTextCount; ++index) {
        if (static_cast<int>(kTextRows[index].id) != index) return false;
    }
    return true;
}

static_assert(std::size(kTextRows) == static_cast<size_t>(kTextCount),
              "text_table.txt and TextId must hold the same entries");
static_assert(RowsFollowTextIds(), "text_table.txt must list its entries in the order of TextId");
static_assert(static_cast<int>(TextId::ImageCountSingular) == static_cast<int>(TextId::ImageCountPlural) + 1,
              "a counted text's singular group follows its plural group");

}  // namespace

const char* TextIn(TextId id, int language) {
    int index = static_cast<int>(id);
    if (index < 0 || index >= kTextCount || language < 0 || language >= kLanguageCount) return "";
    return kTextRows[index].texts[language];
}

const char* TextIdName(TextId id) {
    int index = static_cast<int>(id);
    if (index < 0 || index >= kTextCount) return "";
    return kTextRows[index].name;
}

const char* Text(TextId id) {
    return TextIn(id, LanguageIndex());
}

const char* CountText(TextId pluralGroup, long long count) {
    TextId group = count == 1 ? static_cast<TextId>(static_cast<int>(pluralGroup) + 1) : pluralGroup;
    return Text(group);
}

const char* DialogTemplate(TextId dialog) {
    return Text(dialog);
}
