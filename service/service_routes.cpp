#include "service/service_routes.h"

#include <httplib.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>

#include "base/system_time.h"
#include "base/whole_file.h"
#include "service/catalogue_names.h"
#include "service/newest_list_reply.h"
#include "service/request_log.h"
#include "service/request_query.h"
#include "service/service_http_server.h"
#include "service/service_pages_html.h"
#include "service/service_store.h"
#include "service/thumbnails.h"

namespace {

constexpr char kMissingClient[] = "---";  // what a client without an identifier sends

std::string UtcDay() {
    SystemTime now = CurrentUtcTime();
    char day[32];
    std::snprintf(day, sizeof day, "%04u-%02u-%02u", static_cast<unsigned>(now.wYear),
                  static_cast<unsigned>(now.wMonth), static_cast<unsigned>(now.wDay));
    return day;
}

void ReplyText(httplib::Response& response, std::string text, int status = 200) {
    response.status = status;
    response.set_content(std::move(text), "text/plain; charset=utf-8");
}

// The whole file into `out`; false when it cannot be read.
bool ReadFileInto(const std::string& path, std::string& out) {
    unsigned char* data = nullptr;
    size_t size = 0;
    if (ReadWholeFile(path.c_str(), &data, &size) != kFileOk) return false;
    out.assign(reinterpret_cast<const char*>(data), size);
    std::free(data);
    return true;
}

// The request's query, or false when it is malformed.
bool QueryOf(const httplib::Request& request, RequestQuery& query) {
    return ParseRequestQuery(QueryOfTarget(request.target), query);
}

// The newest list is what every client asks for most, and it changes only when pictures are
// added: each instance answers from a copy for up to a second, so a burst of clients costs the
// database one query a second, and a new picture shows everywhere a second later at most.
// While one request renews an old copy, the others still answer from it rather than queue up
// behind the database.
class NewestListCache {
public:
    // The reply listing `count` pictures (1 to kNewestListLargest); false when the store fails.
    [[nodiscard]] bool Reply(ServiceStore& store, int count, std::string& reply) {
        auto now = std::chrono::steady_clock::now();
        Entry& entry = entries_[static_cast<size_t>(count - 1)];
        {
            std::lock_guard lock(mutex_);
            if (entry.filled && (entry.renewing || now - entry.made < kLifetime)) {
                reply = entry.reply;
                return true;
            }
            entry.renewing = true;
        }
        std::vector<CataloguePicture> newest;
        bool listed = store.NewestPictures(count, newest);
        if (listed) reply = NewestListReply(newest);
        std::lock_guard lock(mutex_);
        entry.renewing = false;
        if (listed) {
            entry.filled = true;
            entry.made = now;
            entry.reply = reply;
        }
        return listed;
    }

private:
    static constexpr std::chrono::milliseconds kLifetime{1000};
    struct Entry {
        bool filled = false;
        bool renewing = false;
        std::chrono::steady_clock::time_point made;
        std::string reply;
    };
    std::mutex mutex_;
    std::array<Entry, kNewestListLargest> entries_;
};

void AnswerNewestList(ServiceStore& store,
                      NewestListCache& cache,
                      const httplib::Request& request,
                      httplib::Response& response) {
    RequestQuery query;
    int count = kNewestListDefault;
    if (QueryOf(request, query)) {
        if (const std::string* wanted = query.Find("MaxImages")) {
            count = std::atoi(wanted->c_str());
            if (count < 1) count = kNewestListDefault;
            if (count > kNewestListLargest) count = kNewestListLargest;
        }
    }
    std::string reply;
    if (!cache.Reply(store, count, reply)) return ReplyText(response, kErrorServer, 503);
    ReplyText(response, std::move(reply));
}

// "<Category>/<Gallery>/<Image>" split into its parts; false unless there are exactly three
// catalogue names.
bool SplitIdentifier(const std::string& identifier, std::string parts[3]) {
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t slash = identifier.find('/', start);
        if ((i < 2) == (slash == std::string::npos)) return false;
        parts[i] = identifier.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!IsCatalogueName(parts[i])) return false;
        start = slash + 1;
    }
    return true;
}

void AnswerThumbnail(ServiceStore& store,
                     const ServiceOptions& options,
                     const httplib::Request& request,
                     httplib::Response& response) {
    std::string parts[3];
    if (!SplitIdentifier(request.matches[1], parts)) return ReplyText(response, "Not Found", 404);
    CataloguePicture picture;
    Lookup lookup = store.FindPicture(parts[0], parts[1], parts[2], picture);
    if (lookup == Lookup::kMissing) return ReplyText(response, "Not Found", 404);
    std::string path;
    std::string body;
    if (lookup == Lookup::kFailed) return ReplyText(response, kErrorServer, 503);
    ThumbnailResult made = EnsureThumbnail(options.pictures, parts[0], parts[1], parts[2], path);
    if (made == ThumbnailResult::kNoPicture) return ReplyText(response, "Not Found", 404);
    if (made != ThumbnailResult::kReady || !ReadFileInto(path, body)) return ReplyText(response, kErrorServer, 503);
    response.set_content(std::move(body), "image/jpeg");
}

// The .tqi file's bytes, or the error token that answers instead.
std::string PictureFileReply(ServiceStore& store,
                             const ServiceOptions& options,
                             const httplib::Request& request,
                             bool& isFile) {
    isFile = false;
    RequestQuery query;
    if (!QueryOf(request, query)) return kErrorFile;
    PictureRequest wanted = ReadPictureRequest(query);
    if (wanted.client.empty() || wanted.client == kMissingClient) return kErrorClientId;
    Lookup client = store.FindClient(wanted.client);
    if (client == Lookup::kFailed) return kErrorServer;
    if (client == Lookup::kMissing) return kErrorClientId;
    if (!wanted.complete) return kErrorFile;
    CataloguePicture picture;
    Lookup found = store.FindPicture(wanted.category, wanted.gallery, wanted.image, picture);
    if (found == Lookup::kFailed) return kErrorServer;
    if (found == Lookup::kMissing) return kErrorFile;
    std::string file;
    if (!ReadFileInto(PictureFilePath(options.pictures, wanted.category, wanted.gallery, wanted.image), file)) {
        return kErrorServer;
    }
    switch (store.TakeDownload(wanted.client, UtcDay(), options.quota)) {
        case DownloadGrant::kGranted:
            isFile = true;
            return file;
        case DownloadGrant::kQuotaReached:
            return kErrorDownloads;
        case DownloadGrant::kFailed:
            break;
    }
    return kErrorServer;
}

void AnswerPictureFile(ServiceStore& store,
                       const ServiceOptions& options,
                       const httplib::Request& request,
                       httplib::Response& response) {
    bool isFile = false;
    std::string reply = PictureFileReply(store, options, request, isFile);
    if (!isFile) return ReplyText(response, std::move(reply));
    response.set_content(std::move(reply), "application/octet-stream");
}

void AnswerPage(ServiceStore& store,
                const ServiceOptions& options,
                const httplib::Request& request,
                httplib::Response& response) {
    RequestQuery query;
    if (!QueryOf(request, query)) return ReplyText(response, "Bad Request", 400);
    ServicePageContent content;
    content.kind = PageKindOf(query);
    content.language = PageLanguageOf(query, request.get_header_value("Accept-Language"));
    if (const std::string* client = query.Find("TQClientID")) content.client = *client;
    if (const std::string* version = query.Find("TQClientVersion")) content.version = *version;
    content.quota = options.quota;
    content.clientKnown = !content.client.empty() && store.FindClient(content.client) == Lookup::kFound;
    if (content.kind == ServicePageKind::kNewestImages && !store.NewestPictures(kNewestListLargest, content.newest)) {
        return ReplyText(response, kErrorServer, 503);
    }
    response.set_content(RenderServicePage(content), "text/html; charset=utf-8");
}

}  // namespace

void ConfigureService(ServiceHttpServer& server, ServiceStore& store, const ServiceOptions& options) {
    int threads = options.threads > 0 ? options.threads : kDefaultRequestThreads;
    server.new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<size_t>(threads)); };
    if (options.log) {
        // The server's logger owns the log: the last lines are written when the server goes.
        auto log = std::make_shared<RequestLog>(options.log);
        server.set_logger(
            [log](const httplib::Request& request, const httplib::Response& response) { log->Add(request, response); });
    }
    ServiceStore* shared = &store;
    const ServiceOptions* settings = &options;
    server.Get("/health", [](const httplib::Request&, httplib::Response& response) { ReplyText(response, "OK\n"); });
    auto cache = std::make_shared<NewestListCache>();
    server.Get("/TQClient/TQClient_GetNewestImages.php",
               [shared, cache](const httplib::Request& request, httplib::Response& response) {
                   AnswerNewestList(*shared, *cache, request, response);
               });
    server.Get("/TQClient/TQClient_GetTQIFile.php",
               [shared, settings](const httplib::Request& request, httplib::Response& response) {
                   AnswerPictureFile(*shared, *settings, request, response);
               });
    server.Get("/TQClient/TQClient_UserLogin.php",
               [shared, settings](const httplib::Request& request, httplib::Response& response) {
                   AnswerPage(*shared, *settings, request, response);
               });
    server.Get(R"(/Wallpapers/(.+)_Thumbnail\.jpg)",
               [shared, settings](const httplib::Request& request, httplib::Response& response) {
                   AnswerThumbnail(*shared, *settings, request, response);
               });
}
