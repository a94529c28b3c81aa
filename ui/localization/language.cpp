#include "ui/localization/language.h"

#include <atomic>

#include "base/text_case.h"

namespace {

// Two letters and a NUL each, in index order (the alphabetical order of the codes).
constexpr char kLanguageCodes[kLanguageCount][3] = {"CA", "EN", "ES", "FR"};

// The current code is always the table's entry at the current index, so publishing the index
// alone keeps both in step for readers on other threads.
std::atomic<int> g_languageIndex{kLanguageEnglish};

}  // namespace

int LanguageIndex() {
    return g_languageIndex.load(std::memory_order_acquire);
}

const char* LanguageCode() {
    return kLanguageCodes[LanguageIndex()];
}

const char* LanguageCodeAt(int index) {
    if (index < 0 || index >= kLanguageCount) return nullptr;
    return kLanguageCodes[index];
}

int FindLanguageByCode(const char* code) {
    if (code == nullptr) return -1;
    for (int index = 0; index < kLanguageCount; ++index) {
        if (EqualNoCaseAscii(code, kLanguageCodes[index])) return index;
    }
    return -1;
}

void LoadLanguage(const char* storedCode) {
    int index = FindLanguageByCode(storedCode);
    g_languageIndex.store(index >= 0 ? index : kLanguageEnglish, std::memory_order_release);
}

bool SetLanguageIndex(int index) {
    if (index < 0 || index >= kLanguageCount) return false;
    g_languageIndex.store(index, std::memory_order_release);
    return true;
}
