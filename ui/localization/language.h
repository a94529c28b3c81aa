// The current interface language, one for the whole process: an index (0 Catalan, 1 English,
// 2 Spanish, 3 French) and its two-letter code. It starts as English, is set from the stored
// setting by LoadLanguage at start-up and changes afterwards only through the language switch
// of the main window (SetLanguageIndex). Any thread may read it; only the main thread sets it.
#pragma once

constexpr int kLanguageCount = 4;
constexpr int kLanguageCatalan = 0;
constexpr int kLanguageEnglish = 1;
constexpr int kLanguageSpanish = 2;
constexpr int kLanguageFrench = 3;

// The current language's index and code ("CA", "EN", "ES" or "FR", upper case).
[[nodiscard]] int LanguageIndex();
[[nodiscard]] const char* LanguageCode();

// The code of language `index`, or nullptr when the index is not 0 to 3.
[[nodiscard]] const char* LanguageCodeAt(int index);

// The index of the language whose code equals `code` without regard to letter case, or -1
// (also for nullptr, an empty string and anything longer or shorter than two letters).
[[nodiscard]] int FindLanguageByCode(const char* code);

// Chooses the start-up language from the stored setting: `storedCode` is the value read from
// the settings, or nullptr when it could not be read. A missing or unknown value gives English;
// no system locale is consulted.
void LoadLanguage(const char* storedCode);

// Makes language `index` current. Returns false, changing nothing, for an index outside 0 to 3.
[[nodiscard]] bool SetLanguageIndex(int index);
