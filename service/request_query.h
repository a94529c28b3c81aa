// The query of a request's address ("TQClientVersion=Win1001&TQClientID=...&Image=..."):
// split at '&' and the first '=' of each pair, with %XX escapes and '+' decoded. The parser
// sees untrusted bytes first, so it is bounded and strict: a query longer than
// kRequestQueryLength, more than kRequestQueryParameters pairs, or a broken escape is
// refused as a whole.
//
//     RequestQuery query;
//     if (ParseRequestQuery("Start=Help&Language=FR", query)) { const std::string* start = query.Find("Start"); }
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

constexpr size_t kRequestQueryLength = 4096;
constexpr size_t kRequestQueryParameters = 32;

struct RequestQuery {
    std::vector<std::pair<std::string, std::string>> parameters;  // in the order given

    // The first value of the parameter named exactly `name`, or null.
    [[nodiscard]] const std::string* Find(std::string_view name) const;
};

[[nodiscard]] bool ParseRequestQuery(std::string_view query, RequestQuery& out);

// The query part of a request target ("/path?query"): what follows the first '?', or nothing.
[[nodiscard]] std::string_view QueryOfTarget(std::string_view target);

// What a picture-file request asks for. `complete` is false when one of the three parts of the
// identifier is missing or is no catalogue name (catalogue_names.h).
struct PictureRequest {
    std::string client;  // empty when the request names none
    std::string category;
    std::string gallery;
    std::string image;
    bool complete = false;
};

[[nodiscard]] PictureRequest ReadPictureRequest(const RequestQuery& query);
