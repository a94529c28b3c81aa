#include "service/command_line.h"

#include <array>

namespace {

struct OptionRow {
    const char* name;
    const char* variable;
    std::string ServiceCommandLine::*field;
    const char* help;
};

constexpr std::array<OptionRow, 8> kOptions = {{
    {"--listen", "TQ_SERVICE_LISTEN", &ServiceCommandLine::listen,
     "HOST:PORT to answer on (127.0.0.1:8642, the client's default)"},
    {"--db", "TQ_SERVICE_DB", &ServiceCommandLine::database, "sqlite:PATH or postgresql://... (the database)"},
    {"--pictures", "TQ_SERVICE_PICTURES", &ServiceCommandLine::pictures, "DIR holding the pictures and thumbnails"},
    {"--quota", "TQ_SERVICE_QUOTA", &ServiceCommandLine::quota, "N downloads per client and UTC day (20)"},
    {"--threads", "TQ_SERVICE_THREADS", &ServiceCommandLine::threads, "N request threads, one per connection (64)"},
    {"--category", "TQ_SERVICE_CATEGORY", &ServiceCommandLine::category, "C, the new pictures' category"},
    {"--gallery", "TQ_SERVICE_GALLERY", &ServiceCommandLine::gallery, "G, the new pictures' gallery"},
    {"--title", "TQ_SERVICE_TITLE", &ServiceCommandLine::title, "T, the title (else made of the file name)"},
}};

}  // namespace

bool ParseServiceCommandLine(const std::vector<std::string>& arguments,
                             EnvironmentLookup environment,
                             ServiceCommandLine& out,
                             std::string& error) {
    for (const OptionRow& option : kOptions) {
        const char* value = environment ? environment(option.variable) : nullptr;
        if (value && *value) out.*option.field = value;
    }
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            out.help = true;
            continue;
        }
        if (argument.starts_with("--")) {
            size_t equals = argument.find('=');
            std::string name = argument.substr(0, equals);
            const OptionRow* row = nullptr;
            for (const OptionRow& option : kOptions) {
                if (name == option.name) row = &option;
            }
            if (!row) {
                error = "unknown option " + name;
                return false;
            }
            if (equals != std::string::npos) {
                out.*row->field = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                out.*row->field = arguments[++i];
            } else {
                error = "option " + name + " needs a value";
                return false;
            }
        } else if (out.command.empty()) {
            out.command = argument;
        } else {
            out.arguments.push_back(argument);
        }
    }
    return true;
}

std::string ServiceUsage() {
    std::string usage =
        "Usage:\n"
        "  tapestrique-service serve --listen HOST:PORT --db URL --pictures DIR [--quota N] [--threads N]\n"
        "      answers the client's requests until SIGTERM or SIGINT; one log line per request\n"
        "  tapestrique-service catalogue-add --db URL --pictures DIR --category C --gallery G [--title T] FILE...\n"
        "      adds pictures (.tqi files or any picture the program imports) to the catalogue\n"
        "  tapestrique-service client-add --db URL ID...\n"
        "      registers client identifiers\n"
        "\nOptions (each also from its environment variable):\n";
    for (const OptionRow& option : kOptions) {
        std::string name = option.name;
        name.resize(12, ' ');
        std::string variable = option.variable;
        variable.resize(22, ' ');
        usage += "  " + name + variable + option.help + "\n";
    }
    return usage;
}
