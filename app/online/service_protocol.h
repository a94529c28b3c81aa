// The words the client and the online picture service agree on: the client's version and
// referer, the reply that opens the newest list and the error tokens of a picture download.
// Both sides include this header, so a token cannot drift apart between writer and reader.
#pragma once

constexpr char kClientVersion[] = "Win1001";
constexpr char kClientReferer[] = "TQClient_Win1001";

// The newest list's reply starts with exactly these 19 characters (letter case included).
constexpr char kNewestListPrefix[] = "GETNEWESTIMAGES_OK:";
// How many pictures the client asks for and keeps.
constexpr int kNewestListRequested = 8;

// The whole reply to a picture download when the service cannot send the file.
constexpr char kErrorClientId[] = "ERROR_TQCLIENTID";  // the client is unknown
constexpr char kErrorDownloads[] = "ERROR_DOWNLOADS";  // the client had its quota today
constexpr char kErrorFile[] = "ERROR_FILE";            // no such picture
constexpr char kErrorServer[] = "ERROR_SERVER";        // anything else; the client shows it too
                                                       // when the download itself failed
