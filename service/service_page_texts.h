// Every text of the service's browser pages in the client's four languages, one row per text
// with its Catalan, English, Spanish and French forms (the language indices of
// ui/localization/language.h). "%s" marks where a page puts a value.
#pragma once

enum class PageText {
    kUserTitle,
    kUserKnownClient,    // %s: the client identifier
    kUserUnknownClient,  // %s: the client identifier
    kUserQuota,          // %s: the number of downloads a day
    kNewestTitle,
    kNewestIntro,
    kNewestEmpty,
    kHelpTitle,
    kHelpNewest,
    kHelpDownload,
    kHelpQuota,
    kDownloadTitle,
    kDownloadCurrent,  // %s: the client's version
    kDownloadLatest,   // %s: the latest version
    kLinkUser,
    kLinkNewest,
    kLinkHelp,
    kLinkDownload,
    kCount,
};

// The text in language `language` (0 to 3; anything else gives English). UTF-8.
[[nodiscard]] const char* PageTextIn(PageText text, int language);
