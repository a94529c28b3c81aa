#include "service/service_pages_html.h"

#include "app/online/service_pages.h"  // EscapeQueryValue
#include "base/text_case.h"

#include "service/catalogue_names.h"
#include "service/newest_list_reply.h"
#include "service/service_page_texts.h"
#include "ui/localization/language.h"

namespace {

std::string EscapeHtml(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Text(const ServicePageContent& content, PageText text) {
    return PageTextIn(text, content.language);
}

// A text with its one "%s" replaced by the escaped `value`.
std::string TextWith(const ServicePageContent& content, PageText text, std::string_view value) {
    std::string pattern = Text(content, text);
    size_t at = pattern.find("%s");
    std::string escapedPattern = EscapeHtml(pattern.substr(0, at));
    if (at == std::string::npos) return escapedPattern;
    return escapedPattern + "<b>" + EscapeHtml(value) + "</b>" + EscapeHtml(pattern.substr(at + 2));
}

const char* StartValue(ServicePageKind kind) {
    switch (kind) {
        case ServicePageKind::kNewestImages:
            return "&amp;Start=NewestImages";
        case ServicePageKind::kHelp:
            return "&amp;Start=Help";
        case ServicePageKind::kDownload:
            return "&amp;Start=Download";
        case ServicePageKind::kUser:
            break;
    }
    return "";
}

std::string PageLink(const ServicePageContent& content, ServicePageKind kind, PageText label) {
    std::string link = "<a href=\"TQClient_UserLogin.php?TQClientVersion=" + EscapeQueryValue(content.version) +
                       "&amp;TQClientID=" + EscapeQueryValue(content.client) + StartValue(kind) +
                       "&amp;Language=" + LanguageCodeAt(content.language) + "\">";
    return link + EscapeHtml(Text(content, label)) + "</a>";
}

std::string Paragraph(const std::string& html) {
    return "<p>" + html + "</p>\n";
}

std::string UserBody(const ServicePageContent& content) {
    std::string body;
    if (content.clientKnown) {
        body += Paragraph(TextWith(content, PageText::kUserKnownClient, content.client));
        body += Paragraph(TextWith(content, PageText::kUserQuota, std::to_string(content.quota)));
    } else {
        body += Paragraph(TextWith(content, PageText::kUserUnknownClient, content.client));
    }
    return body;
}

std::string NewestBody(const ServicePageContent& content) {
    if (content.newest.empty()) return Paragraph(EscapeHtml(Text(content, PageText::kNewestEmpty)));
    std::string body = Paragraph(EscapeHtml(Text(content, PageText::kNewestIntro))) + "<ul>\n";
    for (const CataloguePicture& picture : content.newest) {
        std::string identifier = PictureIdentifier(picture.category, picture.gallery, picture.image);
        body += "<li><img src=\"../Wallpapers/" + EscapeHtml(identifier) + "_Thumbnail.jpg\" alt=\"\"> " +
                EscapeHtml(ListedDescription(picture)) + "</li>\n";
    }
    return body + "</ul>\n";
}

std::string HelpBody(const ServicePageContent& content) {
    return Paragraph(EscapeHtml(Text(content, PageText::kHelpNewest))) +
           Paragraph(EscapeHtml(Text(content, PageText::kHelpDownload))) +
           Paragraph(EscapeHtml(Text(content, PageText::kHelpQuota)));
}

std::string DownloadBody(const ServicePageContent& content) {
    return Paragraph(TextWith(content, PageText::kDownloadCurrent, content.version)) +
           Paragraph(TextWith(content, PageText::kDownloadLatest, kLatestClientVersion));
}

}  // namespace

ServicePageKind PageKindOf(const RequestQuery& query) {
    const std::string* start = query.Find("Start");
    if (!start) return ServicePageKind::kUser;
    if (*start == "NewestImages") return ServicePageKind::kNewestImages;
    if (*start == "Help") return ServicePageKind::kHelp;
    if (*start == "Download") return ServicePageKind::kDownload;
    return ServicePageKind::kUser;
}

int PageLanguageOf(const RequestQuery& query, std::string_view acceptLanguage) {
    if (const std::string* code = query.Find("Language")) {
        int language = FindLanguageByCode(code->c_str());
        if (language >= 0) return language;
    }
    // "fr-CH, fr;q=0.9, en;q=0.8": the first range whose primary tag we speak, in the order
    // the browser gives them.
    while (!acceptLanguage.empty()) {
        size_t comma = acceptLanguage.find(',');
        std::string_view range = acceptLanguage.substr(0, comma);
        acceptLanguage = comma == std::string_view::npos ? std::string_view() : acceptLanguage.substr(comma + 1);
        while (!range.empty() && range.front() == ' ') range.remove_prefix(1);
        if (range.size() >= 2 && (range.size() == 2 || range[2] == '-' || range[2] == ';' || range[2] == ' ')) {
            int language = FindLanguageByCode(std::string(range.substr(0, 2)).c_str());
            if (language >= 0) return language;
        }
    }
    return kLanguageEnglish;
}

std::string RenderServicePage(const ServicePageContent& content) {
    PageText title = PageText::kUserTitle;
    std::string body;
    switch (content.kind) {
        case ServicePageKind::kUser:
            body = UserBody(content);
            break;
        case ServicePageKind::kNewestImages:
            title = PageText::kNewestTitle;
            body = NewestBody(content);
            break;
        case ServicePageKind::kHelp:
            title = PageText::kHelpTitle;
            body = HelpBody(content);
            break;
        case ServicePageKind::kDownload:
            title = PageText::kDownloadTitle;
            body = DownloadBody(content);
            break;
    }
    std::string code = LanguageCodeAt(content.language);
    for (char& c : code) c = FoldCaseAscii(c);
    std::string heading = EscapeHtml(Text(content, title));
    std::string page = "<!DOCTYPE html>\n<html lang=\"" + code + "\">\n<head><meta charset=\"utf-8\"><title>" +
                       heading + "</title></head>\n<body>\n<h1>" + heading + "</h1>\n" + body + "<p>" +
                       PageLink(content, ServicePageKind::kUser, PageText::kLinkUser) + " | " +
                       PageLink(content, ServicePageKind::kNewestImages, PageText::kLinkNewest) + " | " +
                       PageLink(content, ServicePageKind::kHelp, PageText::kLinkHelp) + " | " +
                       PageLink(content, ServicePageKind::kDownload, PageText::kLinkDownload) +
                       "</p>\n</body>\n</html>\n";
    return page;
}
