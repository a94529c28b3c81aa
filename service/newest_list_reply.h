// The reply to the newest-list request, in the form the client reads:
//
//     GETNEWESTIMAGES_OK:
//     Landscapes/Alps/Matterhorn "The Matterhorn at dawn"
//     ...
//
// Each entry is an identifier without white space, white space, and a description between
// double quotes that is not empty and holds no double quote. Titles are made to fit: a double
// quote becomes an apostrophe, control characters become blanks, and an empty title is
// replaced by the picture's image name.
#pragma once

#include <string>
#include <vector>

#include "app/online/service_protocol.h"  // kNewestListPrefix, which the client reads too
#include "service/service_store.h"

constexpr int kNewestListDefault = 8;  // when the request says no MaxImages
constexpr int kNewestListLargest = 64;

[[nodiscard]] std::string NewestListReply(const std::vector<CataloguePicture>& pictures);

// The description a title becomes in the reply.
[[nodiscard]] std::string ListedDescription(const CataloguePicture& picture);
