// The HTTP face of the picture service: every address the client opens, answered from a
// store and the pictures folder.
//
//   GET /TQClient/TQClient_GetNewestImages.php?...&MaxImages=N   the newest list (newest_list_reply.h)
//   GET /Wallpapers/<Category>/<Gallery>/<Image>_Thumbnail.jpg    a thumbnail (thumbnails.h), 404 when unknown
//   GET /TQClient/TQClient_GetTQIFile.php?...                     the .tqi file, or an error token
//   GET /TQClient/TQClient_UserLogin.php?...[&Start=...]          a page (service_pages_html.h)
//   GET /health                                                   "OK"
//
// The newest list may be up to a second old (each instance keeps its last answer that long).
// A picture-file request always answers 200: the client reads the body either as a .tqi file
// or as one of the tokens, checked in this order: the client is unknown (ERROR_TQCLIENTID),
// the picture is unknown (ERROR_FILE), the client had its quota today (ERROR_DOWNLOADS), the
// database or the file failed (ERROR_SERVER). A download counts only when the file is sent.
#pragma once

#include <cstdio>
#include <string>

#include "app/online/service_protocol.h"  // the error tokens, which the client reads too

class ServiceStore;
namespace httplib {
class Server;
}

constexpr int kDefaultDailyQuota = 20;
constexpr int kDefaultRequestThreads = 64;

struct ServiceOptions {
    std::string pictures;                  // the pictures folder
    int quota = kDefaultDailyQuota;        // downloads per client and UTC day
    int threads = kDefaultRequestThreads;  // one per open connection
    FILE* log = stderr;                    // one line per request; null for none
};

// Sets the server up to answer every address above; `store` and `options` must outlive it.
void ConfigureService(httplib::Server& server, ServiceStore& store, const ServiceOptions& options);
