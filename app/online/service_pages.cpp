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

// `text` with every byte but letters, digits and those of `plain` written as %XX.
std::string EscapeBytes(std::string_view text, std::string_view plain) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          plain.find(c) != std::string_view::npos;
        if (kept) {
            escaped += c;
        } else {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        }
    }
    return escaped;
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
    address += EscapeQueryValue(clientIdentifier);
    address += "&HttpReferer=";
    address += kClientReferer;
    address += StartParameter(page);
    return address;
}

std::string ServicePageAddress(ServicePage page, const Settings& settings) {
    return ServicePageAddress(page, ServiceBaseAddress(settings), ClientIdentifier(settings));
}

std::string EscapeQueryValue(std::string_view text) {
    return EscapeBytes(text, "-_.~");
}

std::string EscapeAddressPath(std::string_view text) {
    return EscapeBytes(text, "-_.~/");
}

std::string NewestListAddress(std::string_view baseAddress) {
    std::string address(baseAddress);
    address += "TQClient/TQClient_GetNewestImages.php?TQClientVersion=";
    address += kClientVersion;
    address += "&MaxImages=" + std::to_string(kNewestListRequested);
    return address;
}

std::string NewestListAddress(const Settings& settings) {
    return NewestListAddress(ServiceBaseAddress(settings));
}

std::string ThumbnailAddress(std::string_view baseAddress, std::string_view identifier) {
    std::string address(baseAddress);
    address += "Wallpapers/";
    address += EscapeAddressPath(identifier);
    address += "_Thumbnail.jpg";
    return address;
}

std::string ThumbnailAddress(const Settings& settings, std::string_view identifier) {
    return ThumbnailAddress(ServiceBaseAddress(settings), identifier);
}

std::string PictureFileAddress(std::string_view baseAddress,
                               std::string_view clientIdentifier,
                               std::string_view category,
                               std::string_view gallery,
                               std::string_view image) {
    std::string address(baseAddress);
    address += "TQClient/TQClient_GetTQIFile.php?TQClientVersion=";
    address += kClientVersion;
    address += "&TQClientID=" + EscapeQueryValue(clientIdentifier);
    address += "&Category=" + EscapeQueryValue(category);
    address += "&Gallery=" + EscapeQueryValue(gallery);
    address += "&Image=" + EscapeQueryValue(image);
    return address;
}

std::string PictureFileAddress(const Settings& settings,
                               std::string_view category,
                               std::string_view gallery,
                               std::string_view image) {
    return PictureFileAddress(ServiceBaseAddress(settings), ClientIdentifier(settings), category, gallery, image);
}
