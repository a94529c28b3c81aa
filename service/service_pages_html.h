// The service's pages for the browser (the client opens them from its menu and its
// notification): the user's page, the newest pictures, help and the download of the latest
// version, as plain HTML in the client's language. The language is the request's Language
// parameter (CA, EN, ES or FR), else the first of those in its Accept-Language header, else
// English.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "service/request_query.h"
#include "service/service_store.h"

// The client version whose program is the latest one.
constexpr char kLatestClientVersion[] = "Win1001";

enum class ServicePageKind { kUser, kNewestImages, kHelp, kDownload };

struct ServicePageContent {
    ServicePageKind kind = ServicePageKind::kUser;
    int language = 1;
    std::string client;   // as the request names it
    std::string version;  // the client's version, as the request names it
    bool clientKnown = false;
    int quota = 0;
    std::vector<CataloguePicture> newest;  // for kNewestImages
};

// The page a request's Start parameter asks for.
[[nodiscard]] ServicePageKind PageKindOf(const RequestQuery& query);

[[nodiscard]] int PageLanguageOf(const RequestQuery& query, std::string_view acceptLanguage);

[[nodiscard]] std::string RenderServicePage(const ServicePageContent& content);
