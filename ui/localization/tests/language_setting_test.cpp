#include "ui/localization/language_setting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/memory_store.h"
#include "settings/settings_loader.h"
#include "ui/localization/language.h"

namespace {

const char* const kVariables = "Software\\Quillmere\\Tapestrique\\Variables";

class LanguageSettingTest : public ::testing::Test {
protected:
    void SetUp() override { LoadLanguage(nullptr); }
    void TearDown() override { LoadLanguage(nullptr); }
};

std::vector<unsigned char> Bytes(const std::string& text) {
    return std::vector<unsigned char>(text.begin(), text.end());
}

struct StoredCase {
    const char* description;
    bool keyExists;
    uint32_t type;
    std::vector<unsigned char> data;  // nothing stored when empty and the key exists
    int expected;
};

}  // namespace

TEST_F(LanguageSettingTest, StartUpReadsTheStoredCode) {
    const StoredCase cases[] = {
        {"lower-case French", true, kRegistryString, Bytes(std::string("fr", 3)), kLanguageFrench},
        {"upper-case Catalan", true, kRegistryString, Bytes(std::string("CA", 3)), kLanguageCatalan},
        {"Spanish without its NUL", true, kRegistryString, Bytes("Es"), kLanguageSpanish},
        {"unknown code", true, kRegistryString, Bytes(std::string("DE", 3)), kLanguageEnglish},
        {"empty string", true, kRegistryString, Bytes(std::string("", 1)), kLanguageEnglish},
        {"code with more after it", true, kRegistryString, Bytes(std::string("FRx", 4)), kLanguageEnglish},
        {"longer than any buffer", true, kRegistryString, Bytes(std::string(300, 'F') + '\0'), kLanguageEnglish},
        {"binary value, read like every string", true, kRegistryBinary, Bytes("FR"), kLanguageFrench},
        {"missing value", true, kRegistryString, {}, kLanguageEnglish},
        {"missing key", false, kRegistryString, {}, kLanguageEnglish},
    };
    for (const StoredCase& c : cases) {
        SCOPED_TRACE(c.description);
        MemoryStore store;
        if (c.keyExists) {
            if (c.data.empty()) {
                store.PutString(RegistryRoot::CurrentUser, kVariables, "szOther", "FR");
            } else {
                store.Put(RegistryRoot::CurrentUser, kVariables, "szLanguage", c.type, c.data);
            }
        }
        // The value lives under the current user; the same value elsewhere must not count.
        store.PutString(RegistryRoot::LocalMachine, kVariables, "szLanguage", "FR");
        ASSERT_TRUE(SetLanguageIndex(kLanguageCatalan == c.expected ? kLanguageSpanish : kLanguageCatalan));
        Settings settings = DefaultSettings();
        LoadLanguageAndInstallation(store, settings);
        LoadLanguage(settings.szLanguage);
        EXPECT_EQ(LanguageIndex(), c.expected);
        EXPECT_STREQ(LanguageCode(), LanguageCodeAt(c.expected));
        EXPECT_EQ(store.OpenKeyCount(), 0);
    }
}

TEST_F(LanguageSettingTest, StoredCodeIsReadBackAtTheNextStart) {
    MemoryStore store;
    Settings settings = DefaultSettings();
    for (int index = 0; index < kLanguageCount; ++index) {
        ASSERT_TRUE(SetLanguageIndex(index));
        ASSERT_TRUE(StoreLanguage(store, settings));
        EXPECT_STREQ(settings.szLanguage, LanguageCodeAt(index));
        const MemoryStore::Value* value = store.Find(RegistryRoot::CurrentUser, kVariables, "szLanguage");
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, static_cast<uint32_t>(kRegistryString));
        EXPECT_EQ(value->data, Bytes(std::string(LanguageCodeAt(index), 3)));
        LoadLanguage(nullptr);
        Settings next = DefaultSettings();
        LoadLanguageAndInstallation(store, next);
        LoadLanguage(next.szLanguage);
        EXPECT_EQ(LanguageIndex(), index);
    }
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

TEST_F(LanguageSettingTest, FailedWriteKeepsTheLanguage) {
    MemoryStore store;
    store.SetWritesFail(true);
    ASSERT_TRUE(SetLanguageIndex(kLanguageFrench));
    Settings settings = DefaultSettings();
    EXPECT_FALSE(StoreLanguage(store, settings));
    EXPECT_EQ(LanguageIndex(), kLanguageFrench);
    EXPECT_EQ(store.Find(RegistryRoot::CurrentUser, kVariables, "szLanguage"), nullptr);
}
