// The service over real HTTP, on both backends: every address with the replies the client
// parses, and the download quota at its edge, shared by two instances under concurrent requests.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/wallpaper/tests/test_pictures.h"
#include "codec/formats/jpeg_codec.h"
#include "collection/tqi_file.h"
#include "service/catalogue_commands.h"
#include "service/request_query.h"
#include "service/service_http_server.h"
#include "service/service_routes.h"
#include "service/service_store.h"
#include "tests/support/test_support.h"

namespace {

using test_support::TempDir;

// The command's whole output, and its exit status in `status`.
std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[512];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
    status = pclose(pipe);
    return output;
}

// A service answering on an ephemeral loopback port until the object goes.
class RunningService {
public:
    RunningService(ServiceStore& store, const ServiceOptions& options) {
        ConfigureService(server_, store, options);
        port_ = server_.BindToAnyPort("127.0.0.1");
        thread_ = std::thread([this] { (void)server_.listen_after_bind(); });
    }
    ~RunningService() {
        while (!server_.is_running()) std::this_thread::yield();  // stop() before listening would be lost
        server_.Stop();
        thread_.join();
    }
    [[nodiscard]] httplib::Result Get(const std::string& path, const httplib::Headers& headers = {}) {
        httplib::Client client("127.0.0.1", port_);
        return client.Get(path, headers);
    }
    [[nodiscard]] int Port() const { return port_; }

private:
    ServiceHttpServer server_;
    std::thread thread_;
    int port_ = 0;
};

std::string PictureAddress(const std::string& client, const std::string& image) {
    return "/TQClient/TQClient_GetTQIFile.php?TQClientVersion=Win1001&TQClientID=" + client +
           "&Category=Nature&Gallery=Alps&Image=" + image;
}

std::string PageAddress(const std::string& start) {
    return "/TQClient/TQClient_UserLogin.php?TQClientVersion=Win1001&TQClientID=alice&HttpReferer=TQClient_Win1001" +
           start;
}

class ServiceTest : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (GetParam() == "sqlite") {
            database_ = "sqlite:" + folder_.File("service.db");
        } else {
            // PostgreSQL wants a folder its own user can reach: a fresh one under /tmp.
            char pattern[] = "/tmp/tq-service-pg-XXXXXX";
            ASSERT_NE(mkdtemp(pattern), nullptr);
            postgresFolder_ = pattern;
            int status = -1;
            database_ = RunCommand(Sandbox() + " start " + postgresFolder_ + " " + std::to_string(getpid()), status);
            ASSERT_EQ(status, 0) << database_;
            while (!database_.empty() && database_.back() == '\n') database_.pop_back();
        }
        store_ = OpenStore();
        ASSERT_TRUE(store_);
        options_.pictures = folder_.File("pictures");
        options_.log = nullptr;
    }

    void TearDown() override {
        store_.reset();
        if (!postgresFolder_.empty()) {
            int status = -1;
            std::string output = RunCommand(Sandbox() + " stop " + postgresFolder_, status);
            EXPECT_EQ(status, 0) << output;
        }
    }

    static std::string Sandbox() { return "bash " + test_support::SourcePath("service/tests/postgres_sandbox.sh"); }

    std::unique_ptr<ServiceStore> OpenStore() {
        std::string error;
        std::unique_ptr<ServiceStore> store = OpenServiceStore(database_, error);
        EXPECT_TRUE(store) << error;
        return store;
    }

    // A width × height JPEG file named `name` in the test's folder.
    std::string MakeJpegFile(const std::string& name, int width, int height) {
        std::vector<unsigned char> jpeg = wallpaper_test::MakeJpeg(width, height, [](int x, int y) {
            return wallpaper_test::Colour{static_cast<unsigned char>(x), static_cast<unsigned char>(y), 90};
        });
        std::string path = folder_.File(name);
        test_support::WriteFileBytes(path, jpeg);
        return path;
    }

    void AddPictures(const std::vector<std::string>& files) {
        CatalogueAddition addition{options_.pictures, "Nature", "Alps", "", files};
        FILE* report = tmpfile();
        ASSERT_TRUE(AddToCatalogue(*store_, addition, report));
        std::fclose(report);
    }

    TempDir folder_;
    std::string postgresFolder_;
    std::string database_;
    std::unique_ptr<ServiceStore> store_;
    ServiceOptions options_;
};

TEST_P(ServiceTest, EveryAddressAnswersWhatTheClientParses) {
    std::string first = MakeJpegFile("Matterhorn at dawn.jpg", 400, 200);
    std::string second = MakeJpegFile("Eiger.jpg", 150, 300);
    AddPictures({first, second});
    ASSERT_TRUE(store_->AddClient("alice"));
    FILE* log = tmpfile();
    options_.log = log;
    auto running = std::make_unique<RunningService>(*store_, options_);
    RunningService& service = *running;

    // Newest first, in the reply grammar.
    auto list = service.Get("/TQClient/TQClient_GetNewestImages.php?TQClientVersion=Win1001&MaxImages=8");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->status, 200);
    EXPECT_EQ(list->body,
              "GETNEWESTIMAGES_OK:\r\nNature/Alps/Eiger \"Eiger\"\r\n"
              "Nature/Alps/Matterhorn_at_dawn \"Matterhorn at dawn\"\r\n");
    auto one = service.Get("/TQClient/TQClient_GetNewestImages.php?TQClientVersion=Win1001&MaxImages=1");
    ASSERT_TRUE(one);
    EXPECT_EQ(one->body, "GETNEWESTIMAGES_OK:\r\nNature/Alps/Eiger \"Eiger\"\r\n");

    // Thumbnails: the picture's proportions inside 120 × 90, made once and kept.
    for (auto [image, width, height] : {std::tuple{"Matterhorn_at_dawn", 120, 60}, std::tuple{"Eiger", 45, 90}}) {
        auto thumbnail = service.Get(std::string("/Wallpapers/Nature/Alps/") + image + "_Thumbnail.jpg");
        ASSERT_TRUE(thumbnail);
        ASSERT_EQ(thumbnail->status, 200) << image;
        EXPECT_EQ(thumbnail->get_header_value("Content-Type"), "image/jpeg");
        int decodedWidth = 0, decodedHeight = 0;
        ASSERT_TRUE(ReadJpegFrameSize(reinterpret_cast<const unsigned char*>(thumbnail->body.data()),
                                      thumbnail->body.size(), decodedWidth, decodedHeight));
        EXPECT_EQ(decodedWidth, width);
        EXPECT_EQ(decodedHeight, height);
        EXPECT_TRUE(test_support::FileExists(options_.pictures + "/Nature/Alps/" + image + "_Thumbnail.jpg"));
    }
    for (const char* missing :
         {"/Wallpapers/Nature/Alps/Nope_Thumbnail.jpg", "/Wallpapers/Nature/../Alps/Eiger_Thumbnail.jpg",
          "/Wallpapers/Eiger_Thumbnail.jpg", "/Nowhere"}) {
        auto reply = service.Get(missing);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, 404) << missing;
    }

    // The .tqi file carries the JPEG file unchanged, with the title.
    auto file = service.Get(PictureAddress("alice", "Matterhorn_at_dawn"));
    ASSERT_TRUE(file);
    ASSERT_EQ(file->status, 200);
    EXPECT_EQ(std::stoul(file->get_header_value("Content-Length")), file->body.size());
    PictureRecord record;
    ASSERT_EQ(ReadPictureFile(PictureSource::FromMemory(reinterpret_cast<const unsigned char*>(file->body.data()),
                                                        file->body.size()),
                              record, true),
              kFileOk);
    EXPECT_STREQ(record.title, "Matterhorn at dawn");
    EXPECT_EQ(record.width, 400);
    EXPECT_EQ(record.height, 200);
    EXPECT_EQ(test_support::Bytes(record.payload, record.payload + record.payloadSize),
              test_support::ReadFileBytes(first));
    FreePicturePayload(record);

    // The error tokens, each with status 200 so that the client reads them.
    const std::pair<std::string, std::string> tokens[] = {
        {PictureAddress("mallory", "Eiger"), "ERROR_TQCLIENTID"},
        {PictureAddress("---", "Eiger"), "ERROR_TQCLIENTID"},
        {PictureAddress("alice", "Nope"), "ERROR_FILE"},
        {PictureAddress("alice", "..%2F..%2Fservice.db"), "ERROR_FILE"},
        {PictureAddress("alice", "Eiger%zz"), "ERROR_FILE"},
    };
    for (const auto& [address, token] : tokens) {
        auto reply = service.Get(address);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, 200) << address;
        EXPECT_EQ(reply->body, token) << address;
    }

    // Pages in the language the request names, else the browser's, else English.
    const std::tuple<std::string, httplib::Headers, std::string> pages[] = {
        {PageAddress(""), {}, "<h1>Your Tapestrique account</h1>"},
        {PageAddress("&Start=Help&Language=CA"), {}, "<h1>Ajuda</h1>"},
        {PageAddress("&Start=Download"), {{"Accept-Language", "de-DE, es;q=0.8"}}, "<h1>Descargar Tapestrique</h1>"},
        {PageAddress("&Start=NewestImages"),
         {{"Accept-Language", "fr-CH, fr;q=0.9"}},
         "Nature/Alps/Eiger_Thumbnail.jpg"},
    };
    for (const auto& [address, headers, expected] : pages) {
        auto page = service.Get(address, headers);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->status, 200);
        EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
        EXPECT_NE(page->body.find(expected), std::string::npos) << address << "\n" << page->body;
    }
    auto health = service.Get("/health");
    ASSERT_TRUE(health);
    EXPECT_EQ(health->status, 200);

    // One log line per request, each written once its reply has gone.
    running.reset();
    std::fflush(log);
    std::rewind(log);
    int lines = 0;
    for (int c; (c = std::fgetc(log)) != EOF;) lines += c == '\n';
    std::fclose(log);
    EXPECT_EQ(lines, 2 + 2 + 4 + 1 + 5 + 4 + 1);
}

TEST_P(ServiceTest, TheNewestListShowsWhatAnotherInstanceAddsWithinMoments) {
    AddPictures({MakeJpegFile("Eiger.jpg", 96, 64)});
    RunningService service(*store_, options_);
    const std::string address = "/TQClient/TQClient_GetNewestImages.php?TQClientVersion=Win1001&MaxImages=1";
    auto before = service.Get(address);
    ASSERT_TRUE(before);
    EXPECT_EQ(before->body, "GETNEWESTIMAGES_OK:\r\nNature/Alps/Eiger \"Eiger\"\r\n");

    // Added through a store of its own, as another instance or the catalogue command adds it;
    // the answer may be old for a second, never for good.
    std::unique_ptr<ServiceStore> other = OpenStore();
    ASSERT_TRUE(other && other->AddPicture({"Nature", "Alps", "Jungfrau", "The \"Jungfrau\""}));
    std::string body;
    for (int attempt = 0; attempt < 50 && body.find("Jungfrau") == std::string::npos; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        auto after = service.Get(address);
        ASSERT_TRUE(after);
        body = after->body;
    }
    EXPECT_EQ(body, "GETNEWESTIMAGES_OK:\r\nNature/Alps/Jungfrau \"The 'Jungfrau'\"\r\n");
}

// A loopback connection to `port` that gives up reading after ten seconds; -1 when it fails.
int ConnectTo(int port) {
    int connection = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(connection);
        return -1;
    }
    timeval limit = {10, 0};
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    return connection;
}

// What arrives on `connection` until it ends, or until the received text ends with `last`.
std::string ReceiveUntil(int connection, const std::string& last = "") {
    std::string received;
    char buffer[4096];
    ssize_t count;
    while ((last.empty() || !received.ends_with(last)) && (count = recv(connection, buffer, sizeof buffer, 0)) > 0) {
        received.append(buffer, static_cast<size_t>(count));
    }
    return received;
}

TEST_P(ServiceTest, AConnectionCarriesRequestsSentTogetherAndAStopEndsIdleOnes) {
    AddPictures({MakeJpegFile("Eiger.jpg", 96, 64)});
    auto running = std::make_unique<RunningService>(*store_, options_);

    // Three requests in one write: three replies in their order, then the end the last asked for.
    int together = ConnectTo(running->Port());
    ASSERT_GE(together, 0);
    const std::string requests =
        "GET /TQClient/TQClient_GetNewestImages.php?MaxImages=1 HTTP/1.1\r\nHost: t\r\n\r\n"
        "GET /Nowhere HTTP/1.1\r\nHost: t\r\n\r\n"
        "GET /health HTTP/1.1\r\nHost: t\r\nConnection: close\r\n\r\n";
    ASSERT_EQ(send(together, requests.data(), requests.size(), MSG_NOSIGNAL), static_cast<ssize_t>(requests.size()));
    std::string replies = ReceiveUntil(together);
    close(together);
    size_t list = replies.find("\r\n\r\nGETNEWESTIMAGES_OK:\r\nNature/Alps/Eiger \"Eiger\"\r\n");
    size_t missing = replies.find("HTTP/1.1 404");
    size_t health = replies.rfind("\r\n\r\nOK\n");
    EXPECT_TRUE(replies.starts_with("HTTP/1.1 200")) << replies;
    EXPECT_TRUE(list < missing && missing < health && health != std::string::npos) << replies;

    // A connection waiting for its next request ends with the service, not after the idle time-out.
    int idle = ConnectTo(running->Port());
    ASSERT_GE(idle, 0);
    const std::string request = "GET /health HTTP/1.1\r\nHost: t\r\n\r\n";
    ASSERT_EQ(send(idle, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));
    EXPECT_TRUE(ReceiveUntil(idle, "\r\n\r\nOK\n").starts_with("HTTP/1.1 200"));
    auto stopping = std::chrono::steady_clock::now();
    running.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, std::chrono::seconds(ServiceHttpServer::kIdleSeconds));
    EXPECT_EQ(ReceiveUntil(idle), "");
    close(idle);
}

TEST_P(ServiceTest, TheQuotaIsExactAcrossInstancesAndConcurrentRequests) {
    AddPictures({MakeJpegFile("Eiger.jpg", 96, 64)});
    for (const char* client : {"alice", "bob", "carol"}) ASSERT_TRUE(store_->AddClient(client));
    options_.quota = 3;
    std::unique_ptr<ServiceStore> secondStore = OpenStore();
    ASSERT_TRUE(secondStore);
    RunningService first(*store_, options_);
    RunningService second(*secondStore, options_);
    RunningService* instances[] = {&first, &second};

    // At the edge: the third download passes, the fourth does not; another client is untouched.
    for (int i = 0; i < 4; ++i) {
        auto reply = instances[i % 2]->Get(PictureAddress("alice", "Eiger"));
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->body.starts_with("TapestriqueImage"), i < 3) << i;
        if (i == 3) {
            EXPECT_EQ(reply->body, "ERROR_DOWNLOADS");
        }
    }
    auto other = second.Get(PictureAddress("bob", "Eiger"));
    ASSERT_TRUE(other);
    EXPECT_TRUE(other->body.starts_with("TapestriqueImage"));

    // Forty requests of one client at once, spread over both instances: exactly the quota passes.
    std::atomic<int> files = 0, refused = 0, other_replies = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            httplib::Client client("127.0.0.1", instances[t % 2]->Port());
            for (int i = 0; i < 5; ++i) {
                auto reply = client.Get(PictureAddress("carol", "Eiger"));
                if (reply && reply->body.starts_with("TapestriqueImage")) {
                    ++files;
                } else if (reply && reply->body == "ERROR_DOWNLOADS") {
                    ++refused;
                } else {
                    ++other_replies;
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(files, 3);
    EXPECT_EQ(refused, 37);
    EXPECT_EQ(other_replies, 0);
}

INSTANTIATE_TEST_SUITE_P(Backends,
                         ServiceTest,
                         testing::Values("sqlite", "postgres"),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(RequestQueryTest, DecodesTheClientsQueriesAndRefusesBrokenOnes) {
    RequestQuery query;
    ASSERT_TRUE(ParseRequestQuery("TQClientID=a%2Fb+c&&Image=&Flag&Image=second", query));
    ASSERT_EQ(query.parameters.size(), 4u);
    EXPECT_EQ(*query.Find("TQClientID"), "a/b c");
    EXPECT_EQ(*query.Find("Image"), "");  // the first of two
    EXPECT_EQ(*query.Find("Flag"), "");
    EXPECT_EQ(query.Find("image"), nullptr);

    for (const char* broken : {"a=%", "a=%4", "a=%G1", "%zz=1"})
        EXPECT_FALSE(ParseRequestQuery(broken, query)) << broken;
    std::string many;
    for (size_t i = 0; i <= kRequestQueryParameters; ++i) many += "p=1&";
    EXPECT_FALSE(ParseRequestQuery(many, query));
    EXPECT_FALSE(ParseRequestQuery(std::string(kRequestQueryLength + 1, 'a'), query));

    EXPECT_EQ(QueryOfTarget("/x.php?a=1?b"), "a=1?b");
    EXPECT_EQ(QueryOfTarget("/x.php"), "");
}

}  // namespace
