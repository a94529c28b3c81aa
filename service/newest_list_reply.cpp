#include "service/newest_list_reply.h"

#include "service/catalogue_names.h"

std::string ListedDescription(const CataloguePicture& picture) {
    std::string description;
    for (char c : picture.title) {
        if (c == '"') {
            description += '\'';
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            description += ' ';
        } else {
            description += c;
        }
    }
    return description.empty() ? picture.image : description;
}

std::string NewestListReply(const std::vector<CataloguePicture>& pictures) {
    std::string reply = kNewestListPrefix;
    for (const CataloguePicture& picture : pictures) {
        reply += "\r\n";
        reply += PictureIdentifier(picture.category, picture.gallery, picture.image);
        reply += " \"";
        reply += ListedDescription(picture);
        reply += '"';
    }
    reply += "\r\n";
    return reply;
}
