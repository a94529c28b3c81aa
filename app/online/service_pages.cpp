#include "app/online/service_pages.h"

namespace {

// What follows the common part of a page's address; the user's page has nothing more.
const char* StartParameter(ServicePage page) {
    switch (page) {
        case ServicePage::Help:
            return "&Start=Help";
        case ServicePage::Download:
            return "&Start=Download";
        case ServicePage::NewestImages:
            return "&Start=NewestImages";
        case ServicePage::User:
            break;
    }
    return "";
}

}  // namespace

std::string ServiceBaseAddress(const Settings& settings) {
    std::string base =
        settings.ServiceBaseAddress[0] != '\0' ? settings.ServiceBaseAddress : kDefaultServiceBaseAddress;
    if (base.back() != '/') base += '/';
    return base;
}

std::string ClientIdentifier(const Settings& settings) {
    return settings.TQClientID[0] != '\0' ? settings.TQClientID : kMissingClientIdentifier;
}

std::string ServicePageAddress(ServicePage page, std::string_view baseAddress, std::string_view clientIdentifier) {
    std::string address(baseAddress);
    address += "TQClient/TQClient_UserLogin.php?TQClientVersion=";
    address += kClientVersion;
    address += "&TQClientID=";
    address += clientIdentifier;
    address += "&HttpReferer=";
    address += kClientReferer;
    address += StartParameter(page);
    return address;
}

std::string ServicePageAddress(ServicePage page, const Settings& settings) {
    return ServicePageAddress(page, ServiceBaseAddress(settings), ClientIdentifier(settings));
}
