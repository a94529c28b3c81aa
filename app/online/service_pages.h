// The addresses of the online picture service's pages that the program opens in the browser:
// the user's page, help, the download of the latest version and the newest pictures. Every
// address carries the client's version, its identifier and the referer, so the service knows
// which client sent the user.
//
//     (void)OpenInBrowser(ServicePageAddress(ServicePage::Help, settings).c_str());
#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"

// The service the program talks to unless the installer names another (ServiceBaseAddress in
// the Install key).
constexpr char kDefaultServiceBaseAddress[] = "http://localhost:8642/";
constexpr char kClientVersion[] = "Win1001";
constexpr char kClientReferer[] = "TQClient_Win1001";
constexpr char kMissingClientIdentifier[] = "---";

enum class ServicePage {
    User,  // where the user logs in and picks pictures to download
    Help,
    Download,      // the latest version of the program
    NewestImages,  // the pictures the notification announces
};

// The installer's ServiceBaseAddress, or kDefaultServiceBaseAddress when it is empty; always
// ending in "/", since every address is the base followed by a relative part.
[[nodiscard]] std::string ServiceBaseAddress(const Settings& settings);

// The installer's TQClientID, or kMissingClientIdentifier when it has none.
[[nodiscard]] std::string ClientIdentifier(const Settings& settings);

// The page's address under `baseAddress` (ending in "/") for the client `clientIdentifier`.
[[nodiscard]] std::string ServicePageAddress(ServicePage page,
                                             std::string_view baseAddress,
                                             std::string_view clientIdentifier);

// The same with the base address and client identifier of the settings.
[[nodiscard]] std::string ServicePageAddress(ServicePage page, const Settings& settings);
