#include "service/request_query.h"

#include "service/catalogue_names.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes one name or value; false for a '%' without two hex digits behind it.
bool DecodeComponent(std::string_view text, std::string& out) {
    out.clear();
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%') {
            if (text.size() - i < 3) return false;
            int high = HexDigit(text[i + 1]);
            int low = HexDigit(text[i + 2]);
            if (high < 0 || low < 0) return false;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += c;
        }
    }
    return true;
}

}  // namespace

const std::string* RequestQuery::Find(std::string_view name) const {
    for (const auto& [parameterName, value] : parameters) {
        if (parameterName == name) return &value;
    }
    return nullptr;
}

bool ParseRequestQuery(std::string_view query, RequestQuery& out) {
    out.parameters.clear();
    if (query.size() > kRequestQueryLength) return false;
    while (!query.empty()) {
        size_t end = query.find('&');
        std::string_view pair = query.substr(0, end);
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
        if (pair.empty()) continue;  // "a=1&&b=2"
        if (out.parameters.size() == kRequestQueryParameters) return false;
        size_t equals = pair.find('=');
        std::string name;
        std::string value;
        if (!DecodeComponent(pair.substr(0, equals), name)) return false;
        if (equals != std::string_view::npos && !DecodeComponent(pair.substr(equals + 1), value)) return false;
        out.parameters.emplace_back(std::move(name), std::move(value));
    }
    return true;
}

std::string_view QueryOfTarget(std::string_view target) {
    size_t question = target.find('?');
    return question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
}

PictureRequest ReadPictureRequest(const RequestQuery& query) {
    PictureRequest request;
    auto value = [&](std::string_view name) {
        const std::string* found = query.Find(name);
        return found ? *found : std::string();
    };
    request.client = value("TQClientID");
    request.category = value("Category");
    request.gallery = value("Gallery");
    request.image = value("Image");
    request.complete =
        IsCatalogueName(request.category) && IsCatalogueName(request.gallery) && IsCatalogueName(request.image);
    return request;
}
