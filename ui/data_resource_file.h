// The file side of a data-resource lookup: opened shared for reading with a sequential-scan
// hint, read forwards, and skipped over by seeking (only length words and names are read on
// the way to an entry). Closes itself on destruction.
#pragma once

#include <cstdint>

#include "base/file_io.h"
#include "ui/data_resource.h"

class DataResourceFile final : public DataResourceInput {
public:
    [[nodiscard]] bool Open(const char* path);
    [[nodiscard]] bool ReadExact(void* buffer, size_t count) override;
    [[nodiscard]] bool Skip(uint64_t count) override;
    [[nodiscard]] uint64_t Remaining() const override { return size_ > position_ ? size_ - position_ : 0; }

private:
    File file_;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
};
