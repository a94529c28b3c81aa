#include "app/startup/copy_data.h"

#include <cstring>
#include <new>

CopyDataAnswer AcceptCopyData(uintptr_t dwData, const void* data, size_t size) {
    CopyDataAnswer answer;
    if (dwData != 0) return answer;
    answer.result = 1;
    if (size > kMaxCopyDataSize || (data == nullptr && size != 0)) return answer;
    answer.argument.reset(new (std::nothrow) char[size + 1]);
    if (!answer.argument) return answer;
    if (size != 0) std::memcpy(answer.argument.get(), data, size);
    answer.argument[size] = 0;
    return answer;
}
