// The backend chosen by the database address's scheme.
#include "service/service_store.h"

std::unique_ptr<ServiceStore> OpenServiceStore(std::string_view address, std::string& error) {
    constexpr std::string_view kSqlite = "sqlite:";
    if (address.starts_with(kSqlite)) {
        std::string path(address.substr(kSqlite.size()));
        if (path.empty()) {
            error = "the SQLite address names no file";
            return nullptr;
        }
        return OpenSqliteStore(path, error);
    }
    if (address.starts_with("postgresql://") || address.starts_with("postgres://")) {
        return OpenPostgresStore(std::string(address), error);
    }
    error = "the database address is neither sqlite:PATH nor postgresql://...";
    return nullptr;
}
