// Dialogs from the current language's template, with this test program's own resources
// (dialog_template_test.rc): DIALOGABOUT exists in English and French only.
#include "ui/localization/dialog_template_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/localization/language.h"

namespace {

struct DialogSeen {
    int initCalls = 0;
    std::string caption;
};

INT_PTR CALLBACK RecordAndClose(HWND dialog, UINT message, WPARAM, LPARAM parameter) noexcept {
    if (message != WM_INITDIALOG) return FALSE;
    auto* seen = reinterpret_cast<DialogSeen*>(parameter);
    ++seen->initCalls;
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    seen->caption = caption;
    EndDialog(dialog, 42);
    return TRUE;
}

INT_PTR CALLBACK RecordOnly(HWND dialog, UINT message, WPARAM, LPARAM parameter) noexcept {
    if (message != WM_INITDIALOG) return FALSE;
    auto* seen = reinterpret_cast<DialogSeen*>(parameter);
    ++seen->initCalls;
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    seen->caption = caption;
    return TRUE;
}

struct LanguageCase {
    int language;
    const char* caption;  // nullptr: this program has no template in that language
};

const LanguageCase kCases[] = {
    {kLanguageCatalan, nullptr},
    {kLanguageEnglish, "About (English)"},
    {kLanguageSpanish, nullptr},
    {kLanguageFrench, "A propos (francais)"},
};

class DialogTemplateTest : public ::testing::Test {
protected:
    void TearDown() override { LoadLanguage(nullptr); }
    HINSTANCE module_ = GetModuleHandleA(nullptr);
};

}  // namespace

TEST_F(DialogTemplateTest, ModalDialogUsesTheCurrentLanguage) {
    for (const LanguageCase& c : kCases) {
        SCOPED_TRACE(LanguageCodeAt(c.language));
        ASSERT_TRUE(SetLanguageIndex(c.language));
        DialogSeen seen;
        INT_PTR result =
            RunDialog(module_, TextId::DialogAbout, nullptr, RecordAndClose, reinterpret_cast<LPARAM>(&seen));
        if (c.caption == nullptr) {
            EXPECT_EQ(FindDialogTemplate(module_, TextId::DialogAbout), nullptr);
            EXPECT_EQ(result, -1);
            EXPECT_EQ(seen.initCalls, 0);
        } else {
            EXPECT_NE(FindDialogTemplate(module_, TextId::DialogAbout), nullptr);
            EXPECT_EQ(result, 42);
            EXPECT_EQ(seen.initCalls, 1);
            EXPECT_EQ(seen.caption, c.caption);
        }
    }
}

TEST_F(DialogTemplateTest, ModelessDialogUsesTheCurrentLanguage) {
    for (const LanguageCase& c : kCases) {
        SCOPED_TRACE(LanguageCodeAt(c.language));
        ASSERT_TRUE(SetLanguageIndex(c.language));
        DialogSeen seen;
        HWND dialog =
            CreateDialogWindow(module_, TextId::DialogAbout, nullptr, RecordOnly, reinterpret_cast<LPARAM>(&seen));
        if (c.caption == nullptr) {
            EXPECT_EQ(dialog, nullptr);
            EXPECT_EQ(seen.initCalls, 0);
            continue;
        }
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_NE(GetDlgItem(dialog, IDCANCEL), nullptr);
        DestroyWindow(dialog);
    }
}

TEST_F(DialogTemplateTest, DialogWithoutAnyTemplateFails) {
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_TRUE(SetLanguageIndex(language));
        EXPECT_EQ(FindDialogTemplate(module_, TextId::DialogInstall), nullptr);
        DialogSeen seen;
        EXPECT_EQ(RunDialog(module_, TextId::DialogInstall, nullptr, RecordAndClose, reinterpret_cast<LPARAM>(&seen)),
                  -1);
        EXPECT_EQ(seen.initCalls, 0);
    }
}
