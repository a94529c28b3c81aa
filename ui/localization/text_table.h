// The program's texts in the current language. Every text exists in Catalan, English,
// Spanish and French as single-byte strings in Windows code page 1252; the English wording is
// the reference, the other three are translations kept in text_table.txt.
//
//   MessageBoxA(owner, Text(TextId::UnknownError), "Tapestrique", MB_ICONERROR);
//   snprintf(label, sizeof label, CountText(TextId::ImageCountPlural, count), count);
//   DialogBoxParamA(instance, DialogTemplate(TextId::DialogAbout), owner, AboutProc, 0);
#pragma once

#include "ui/localization/text_id.h"

// The text of `id` in the current language. Never null; an identifier outside the table gives
// an empty string.
[[nodiscard]] const char* Text(TextId id);

// The text of `id` in language `language` (0 to 3); an empty string for anything outside the
// table or the languages.
[[nodiscard]] const char* TextIn(TextId id, int language);

// A counted text: `pluralGroup` names the plural form, the singular form is the group right
// after it. Gives the singular form when `count` is exactly 1, the plural form otherwise
// (0 included). The caller formats the count into the result.
[[nodiscard]] const char* CountText(TextId pluralGroup, long long count);

// The identifier's own name ("UnknownError"), for diagnostics and tools; empty outside the table.
[[nodiscard]] const char* TextIdName(TextId id);

// The resource name of a dialog's template in the current language, for example
// "DIALOGABOUT_FR" for TextId::DialogAbout while French is current.
[[nodiscard]] const char* DialogTemplate(TextId dialog);
