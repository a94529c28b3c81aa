// The service's request-query parser on untrusted addresses. Properties of a successful
// parse: it stays within its bounds, and writing the parameters out again, fully escaped,
// parses back to the same parameters. A picture request it calls complete names only
// catalogue names, which can never leave the pictures folder.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "service/catalogue_names.h"
#include "service/request_query.h"

namespace {

std::string Escaped(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        out += '%';
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    }
    return out;
}

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view target(reinterpret_cast<const char*>(data), size);
    RequestQuery query;
    if (!ParseRequestQuery(QueryOfTarget(target), query)) return 0;
    Require(query.parameters.size() <= kRequestQueryParameters);

    std::string written;
    for (const auto& [name, value] : query.parameters) {
        Require(name.size() + value.size() <= size);
        if (!written.empty()) written += '&';
        written += Escaped(name) + "=" + Escaped(value);
    }
    RequestQuery again;
    // Escaping triples every byte, which may pass the length bound; only shorter ones must parse.
    if (written.size() <= kRequestQueryLength) {
        Require(ParseRequestQuery(written, again));
        Require(again.parameters == query.parameters);
    }

    PictureRequest picture = ReadPictureRequest(query);
    if (picture.complete) {
        for (const std::string* part : {&picture.category, &picture.gallery, &picture.image}) {
            Require(IsCatalogueName(*part));
            Require(part->find('/') == std::string::npos && part->front() != '.');
        }
    }
    return 0;
}
