#include <gtest/gtest.h>

#include <cstring>

#include "app/online/service_pages.h"

namespace {

struct PageCase {
    const char* baseAddress;  // the installer's value
    const char* clientId;
    ServicePage page;
    const char* expected;
};

TEST(ServicePages, AddressesCarryTheClientAndEndInTheirStartPage) {
    const PageCase cases[] = {
        {"", "", ServicePage::User,
         "http://localhost:8642/TQClient/TQClient_UserLogin.php?TQClientVersion=Win1001&TQClientID=---"
         "&HttpReferer=TQClient_Win1001"},
        {"https://pictures.example/tq", "c-42", ServicePage::Download,
         "https://pictures.example/tq/TQClient/TQClient_UserLogin.php?TQClientVersion=Win1001&TQClientID=c-42"
         "&HttpReferer=TQClient_Win1001&Start=Download"},
        {"http://h/", "x", ServicePage::Help,
         "http://h/TQClient/TQClient_UserLogin.php?TQClientVersion=Win1001&TQClientID=x"
         "&HttpReferer=TQClient_Win1001&Start=Help"},
        {"http://h/", "x", ServicePage::NewestImages,
         "http://h/TQClient/TQClient_UserLogin.php?TQClientVersion=Win1001&TQClientID=x"
         "&HttpReferer=TQClient_Win1001&Start=NewestImages"},
    };
    for (const PageCase& c : cases) {
        Settings settings = DefaultSettings();
        std::strcpy(settings.ServiceBaseAddress, c.baseAddress);
        std::strcpy(settings.TQClientID, c.clientId);
        EXPECT_EQ(ServicePageAddress(c.page, settings), c.expected) << c.baseAddress;
    }
}

}  // namespace
