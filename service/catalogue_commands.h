// The service's administration: adding pictures to the catalogue and registering clients.
// A picture is given as a .tqi file or as any picture file the program imports (a JPEG is
// kept as it is, other formats become a JPEG of quality 100); either way it is written again
// with the program's .tqi writer to <pictures>/<category>/<gallery>/<image>.tqi, its image
// name made of the file name, and its thumbnail is made anew on its next request.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class ServiceStore;

struct CatalogueAddition {
    std::string pictures;  // the pictures folder
    std::string category;
    std::string gallery;
    std::string title;  // empty: each picture's title is made of its file name
    std::vector<std::string> files;
};

// Adds every file; each one added or refused is reported in a line on `report`. True when
// every file was added.
[[nodiscard]] bool AddToCatalogue(ServiceStore& store, const CatalogueAddition& addition, FILE* report);
