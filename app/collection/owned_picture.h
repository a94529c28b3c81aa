// A picture record on the heap that goes with its payload: the records that travel between
// windows and threads by message (a picture file to show, a picture to store).
#pragma once

#include <memory>

#include "collection/picture_record.h"

struct PictureRecordDeleter {
    void operator()(PictureRecord* record) const noexcept {
        FreePicturePayload(*record);
        delete record;
    }
};
using OwnedPicture = std::unique_ptr<PictureRecord, PictureRecordDeleter>;

[[nodiscard]] inline OwnedPicture MakeOwnedPicture() {
    return OwnedPicture(new PictureRecord());
}
