// The addresses of the online picture service: the pages that the program opens in the
// browser (the user's page, help, the download of the latest version and the newest pictures)
// and what its transfers fetch (the newest list, a thumbnail, a picture file). Every page
// address carries the client's version, its identifier and the referer, so the service knows
// which client sent the user.
//
//     (void)OpenInBrowser(ServicePageAddress(ServicePage::Help, settings).c_str());
//     std::string list = NewestListAddress(settings);
#pragma once

#include <string>
#include <string_view>

#include "app/online/service_protocol.h"
#include "settings/settings.h"

// The service the program talks to unless the installer names another (ServiceBaseAddress in
// the Install key).
constexpr char kDefaultServiceBaseAddress[] = "http://localhost:8642/";
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

// The newest list of up to eight pictures.
[[nodiscard]] std::string NewestListAddress(std::string_view baseAddress);
[[nodiscard]] std::string NewestListAddress(const Settings& settings);

// A picture's thumbnail, named by its whole identifier as the list announced it (an identifier
// that does not split into three parts is still used whole).
[[nodiscard]] std::string ThumbnailAddress(std::string_view baseAddress, std::string_view identifier);
[[nodiscard]] std::string ThumbnailAddress(const Settings& settings, std::string_view identifier);

// A picture's .tqi file for the client `clientIdentifier`.
[[nodiscard]] std::string PictureFileAddress(std::string_view baseAddress,
                                             std::string_view clientIdentifier,
                                             std::string_view category,
                                             std::string_view gallery,
                                             std::string_view image);
[[nodiscard]] std::string PictureFileAddress(const Settings& settings,
                                             std::string_view category,
                                             std::string_view gallery,
                                             std::string_view image);

// Text from outside (the service's lists, the installer) ends up inside addresses: every byte
// but the unreserved ones (letters, digits, "-_.~") is written as %XX, so it cannot add a
// query or leave its part of the address. Ordinary identifiers pass unchanged. A path keeps
// its "/" as well.
[[nodiscard]] std::string EscapeQueryValue(std::string_view text);
[[nodiscard]] std::string EscapeAddressPath(std::string_view text);
