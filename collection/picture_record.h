// The in-memory form of one picture of the collection (a .tqi file). See tqi_file.h.
#pragma once

#include <cstdint>

constexpr int kPictureTitleCapacity = 128;  // 1 to 127 characters and the NUL

struct PictureRecord {
    char title[kPictureTitleCapacity] = {};
    uint32_t payloadSize = 0;
    unsigned char* payload = nullptr;  // complete JPEG file; std::malloc'ed, owned by the holder
    int32_t width = 0;
    int32_t height = 0;
};

// Frees the payload of a record (after a successful full read) and clears its fields.
void FreePicturePayload(PictureRecord& record);

// A record whose payload is freed when it goes out of scope, for a full read held on the stack.
struct ScopedPictureRecord {
    PictureRecord record;

    ScopedPictureRecord() = default;
    ScopedPictureRecord(const ScopedPictureRecord&) = delete;
    ScopedPictureRecord& operator=(const ScopedPictureRecord&) = delete;
    ~ScopedPictureRecord() { FreePicturePayload(record); }
};
