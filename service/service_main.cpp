// tapestrique-service: the online picture service's server and its administration commands.
// `serve` answers until SIGTERM or SIGINT, then finishes the requests under way and ends.
#include <httplib.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "service/catalogue_commands.h"
#include "service/command_line.h"
#include "service/service_http_server.h"
#include "service/service_routes.h"
#include "service/service_store.h"

namespace {

// A whole positive number, or 0.
int PositiveNumber(const std::string& text) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value > 0 && value <= 1000000 ? static_cast<int>(value) : 0;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "tapestrique-service: %s\n", message.c_str());
    return 1;
}

int Serve(const ServiceCommandLine& line, ServiceStore& store) {
    ServiceOptions options;
    options.pictures = line.pictures;
    if (!line.quota.empty() && (options.quota = PositiveNumber(line.quota)) == 0) return Fail("bad --quota");
    if (!line.threads.empty() && (options.threads = PositiveNumber(line.threads)) == 0) return Fail("bad --threads");
    size_t colon = line.listen.rfind(':');
    int port = colon == std::string::npos ? 0 : PositiveNumber(line.listen.substr(colon + 1));
    if (port == 0 || port > 65535) return Fail("--listen wants HOST:PORT");
    std::string host = line.listen.substr(0, colon);

    // The signals go to one waiting thread, which stops the server; every other thread
    // (the request threads included) inherits the blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    bool listened = false;
    {
        ServiceHttpServer server;
        ConfigureService(server, store, options);
        if (!server.Bind(host, port)) return Fail("cannot listen on " + line.listen);
        std::fprintf(stderr, "tapestrique-service: listening on %s\n", line.listen.c_str());
        std::thread stopper([&] {
            int received = 0;
            sigwait(&stopSignals, &received);
            server.Stop();
        });
        listened = server.listen_after_bind();
        // A listener that failed by itself leaves the waiting thread to be woken here.
        if (server.is_running() || !listened) pthread_kill(stopper.native_handle(), SIGTERM);
        stopper.join();
    }  // the server goes first, and its log writes its last lines
    std::fprintf(stderr, "tapestrique-service: stopped\n");
    return listened ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    ServiceCommandLine line;
    std::string error;
    if (!ParseServiceCommandLine(
            {argv + 1, argv + argc}, [](const char* name) -> const char* { return std::getenv(name); }, line, error)) {
        std::fprintf(stderr, "tapestrique-service: %s\n\n%s", error.c_str(), ServiceUsage().c_str());
        return 2;
    }
    if (line.help || line.command.empty()) {
        std::fputs(ServiceUsage().c_str(), line.help ? stdout : stderr);
        return line.help ? 0 : 2;
    }
    if (line.command != "serve" && line.command != "catalogue-add" && line.command != "client-add") {
        return Fail("unknown command " + line.command);
    }
    if (line.database.empty()) return Fail("--db is needed");
    std::unique_ptr<ServiceStore> store = OpenServiceStore(line.database, error);
    if (!store) return Fail("cannot open the database: " + error);

    if (line.command == "client-add") {
        if (line.arguments.empty()) return Fail("client-add needs an identifier");
        for (const std::string& client : line.arguments) {
            if (!store->AddClient(client)) return Fail("cannot register " + client);
        }
        return 0;
    }
    if (line.pictures.empty()) return Fail("--pictures is needed");
    if (line.command == "serve") return Serve(line, *store);
    if (line.arguments.empty()) return Fail("catalogue-add needs files");
    CatalogueAddition addition{line.pictures, line.category, line.gallery, line.title, line.arguments};
    return AddToCatalogue(*store, addition, stdout) ? 0 : 1;
}
