// The command line of tapestrique-service: a command and its options, each option also taken
// from an environment variable (the command line wins). One table names every option, its
// variable and its help text; the parser and --help both read it.
//
//   tapestrique-service serve --listen 127.0.0.1:8080 --db sqlite:PATH --pictures DIR [--quota N]
//   tapestrique-service catalogue-add --db URL --pictures DIR --category C --gallery G [--title T] FILE...
//   tapestrique-service client-add --db URL ID...
#pragma once

#include <string>
#include <vector>

struct ServiceCommandLine {
    std::string command;  // "serve", "catalogue-add", "client-add"; empty with `help`
    bool help = false;
    std::string listen = "127.0.0.1:8642";  // where the client looks unless its installer says otherwise
    std::string database;
    std::string pictures;
    std::string quota;  // checked by the command that uses it
    std::string threads;
    std::string category;
    std::string gallery;
    std::string title;
    std::vector<std::string> arguments;  // files or client identifiers
};

// Reads the arguments (without the program name) over the environment's values, looked up
// with `environment` (getenv in the program). False, with `error`, for an unknown option or
// one without its value.
using EnvironmentLookup = const char* (*)(const char* name);
[[nodiscard]] bool ParseServiceCommandLine(const std::vector<std::string>& arguments,
                                           EnvironmentLookup environment,
                                           ServiceCommandLine& out,
                                           std::string& error);

// The --help text: the commands, then every option with its variable.
[[nodiscard]] std::string ServiceUsage();
