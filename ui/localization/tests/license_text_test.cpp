// The licence agreement texts that the About box shows, one per language. They are packed into
// the data-resource file as they are, so the files themselves must already be what an edit
// control displays: code page 1252 with CRLF line breaks.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_support.h"
#include "ui/localization/language.h"
#include "ui/localization/tests/cp1252_check.h"

namespace {

struct LicenseCase {
    int language;
    const char* title;  // the first line, which also tells the files apart
};

std::string ReadLicense(int language) {
    std::string path =
        test_support::SourcePath(std::string("assets/texts/license_") + LanguageCodeAt(language) + ".txt");
    test_support::Bytes bytes = test_support::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(LicenseText, EachLanguageHasItsOwnText) {
    const LicenseCase cases[] = {
        {kLanguageCatalan, "TAPESTRIQUE 1.0 - CONTRACTE DE LLIC\xC8NCIA D'\xDAS PER A L'USUARI FINAL"},
        {kLanguageEnglish, "TAPESTRIQUE 1.0 - END-USER LICENCE AGREEMENT"},
        {kLanguageSpanish, "TAPESTRIQUE 1.0 - CONTRATO DE LICENCIA PARA EL USUARIO FINAL"},
        {kLanguageFrench, "TAPESTRIQUE 1.0 - CONTRAT DE LICENCE UTILISATEUR FINAL"},
    };
    for (const LicenseCase& c : cases) {
        SCOPED_TRACE(LanguageCodeAt(c.language));
        std::string text = ReadLicense(c.language);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.substr(0, text.find("\r\n")), c.title);
        // Read-only edit controls of older systems hold at most about 32 K characters.
        EXPECT_LT(text.size(), 30000u);
        EXPECT_EQ(cp1252_check::FirstProblem(text, "\r\n"), "");
        EXPECT_NE(text.find("Quillmere"), std::string::npos);
    }
}

TEST(LicenseText, LineBreaksAreCrLf) {
    for (int language = 0; language < kLanguageCount; ++language) {
        std::string text = ReadLicense(language);
        for (size_t i = 0; i < text.size(); ++i) {
            bool lineFeedAfterReturn = text[i] != '\n' || (i > 0 && text[i - 1] == '\r');
            bool returnBeforeLineFeed = text[i] != '\r' || (i + 1 < text.size() && text[i + 1] == '\n');
            ASSERT_TRUE(lineFeedAfterReturn && returnBeforeLineFeed) << LanguageCodeAt(language) << " at " << i;
        }
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << LanguageCodeAt(language);
    }
}

// The same numbered sections in every language, so no translation drops a clause.
TEST(LicenseText, TranslationsHaveEverySection) {
    for (int language = 0; language < kLanguageCount; ++language) {
        std::string text = ReadLicense(language);
        for (int section = 1; section <= 11; ++section) {
            std::string heading = "\r\n" + std::to_string(section) + ". ";
            EXPECT_NE(text.find(heading), std::string::npos) << LanguageCodeAt(language) << " section " << section;
        }
        EXPECT_EQ(text.find("\r\n12. "), std::string::npos) << LanguageCodeAt(language);
    }
}
