#include "settings/setting_value.h"

#include <cstring>

#include "base/byte_order.h"

namespace {

unsigned char* Member(const SettingDescriptor& row, Settings& settings) {
    return reinterpret_cast<unsigned char*>(&settings) + row.offset;
}

const unsigned char* Member(const SettingDescriptor& row, const Settings& settings) {
    return reinterpret_cast<const unsigned char*>(&settings) + row.offset;
}

void DecodeTime(const unsigned char* data, SystemTime& time) {
    uint16_t* fields[8] = {&time.wYear, &time.wMonth,  &time.wDayOfWeek, &time.wDay,
                           &time.wHour, &time.wMinute, &time.wSecond,    &time.wMilliseconds};
    for (int i = 0; i < 8; ++i) *fields[i] = ReadLe16(data + 2 * i);
}

void EncodeTime(const SystemTime& time, unsigned char* data) {
    const uint16_t fields[8] = {time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
                                time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
    for (int i = 0; i < 8; ++i) WriteLe16(data + 2 * i, fields[i]);
}

}  // namespace

void SetSettingDefault(const SettingDescriptor& row, Settings& settings) {
    unsigned char* member = Member(row, settings);
    switch (row.storage) {
        case SettingStorage::Byte:
            *member = static_cast<unsigned char>(row.defaultValue);
            break;
        case SettingStorage::Hotkey: {
            Hotkey hotkey;
            hotkey.virtualKey = static_cast<uint8_t>(row.defaultValue);
            hotkey.modifiers = static_cast<uint8_t>(row.defaultValue >> 8);
            std::memcpy(member, &hotkey, sizeof hotkey);
            break;
        }
        case SettingStorage::Dword:
            std::memcpy(member, &row.defaultValue, 4);
            break;
        case SettingStorage::Time:
            std::memcpy(member, &kDefaultTimeStamp, sizeof kDefaultTimeStamp);
            break;
        case SettingStorage::Point: {
            WindowPoint point;
            point.x = point.y = static_cast<int32_t>(row.defaultValue);
            std::memcpy(member, &point, sizeof point);
            break;
        }
        case SettingStorage::VideoMode:
            std::memset(member, 0, sizeof(DisplayMode));
            break;
        case SettingStorage::String: {
            size_t length = std::strlen(row.defaultText);
            std::memset(member, 0, row.slot);
            std::memcpy(member, row.defaultText, length < row.slot ? length : row.slot - 1);
            break;
        }
    }
}

bool DecodeSetting(const SettingDescriptor& row, const unsigned char* data, uint32_t size, Settings& settings) {
    unsigned char* member = Member(row, settings);
    if (row.storage == SettingStorage::String) {
        // The text ends at its first NUL or at the end of the data (a value stored without it).
        size_t length = 0;
        while (length < size && data[length] != 0) ++length;
        // A text that does not fit its slot is refused rather than cut: a cut name or folder
        // would silently name something else.
        if (length >= row.slot) return false;
        std::memcpy(member, data, length);
        member[length] = 0;
        return true;
    }
    if (size != StorageWidth(row.storage)) return false;
    switch (row.storage) {
        case SettingStorage::Byte:
            *member = data[0];
            break;
        case SettingStorage::Hotkey: {
            Hotkey hotkey;
            hotkey.virtualKey = data[0];
            hotkey.modifiers = data[1];
            std::memcpy(member, &hotkey, sizeof hotkey);
            break;
        }
        case SettingStorage::Dword: {
            uint32_t value = ReadLe32(data);
            std::memcpy(member, &value, 4);
            break;
        }
        case SettingStorage::Time: {
            SystemTime time;
            DecodeTime(data, time);
            std::memcpy(member, &time, sizeof time);
            break;
        }
        case SettingStorage::Point: {
            WindowPoint point;
            point.x = static_cast<int32_t>(ReadLe32(data));
            point.y = static_cast<int32_t>(ReadLe32(data + 4));
            std::memcpy(member, &point, sizeof point);
            break;
        }
        case SettingStorage::VideoMode: {
            DisplayMode mode;
            mode.width = ReadLe32(data);
            mode.height = ReadLe32(data + 4);
            mode.bitsPerPixel = ReadLe32(data + 8);
            mode.refreshRate = ReadLe32(data + 12);
            std::memcpy(member, &mode, sizeof mode);
            break;
        }
        case SettingStorage::String:
            break;
    }
    return true;
}

void EncodeSetting(const SettingDescriptor& row,
                   const Settings& settings,
                   uint32_t& type,
                   unsigned char* data,
                   uint32_t& size) {
    const unsigned char* member = Member(row, settings);
    type = kRegistryBinary;
    size = static_cast<uint32_t>(StorageWidth(row.storage));
    switch (row.storage) {
        case SettingStorage::Byte:
            data[0] = member[0];
            break;
        case SettingStorage::Hotkey: {
            Hotkey hotkey;
            std::memcpy(&hotkey, member, sizeof hotkey);
            data[0] = hotkey.virtualKey;
            data[1] = hotkey.modifiers;
            break;
        }
        case SettingStorage::Dword: {
            uint32_t value;
            std::memcpy(&value, member, 4);
            WriteLe32(data, value);
            break;
        }
        case SettingStorage::Time: {
            SystemTime time;
            std::memcpy(&time, member, sizeof time);
            EncodeTime(time, data);
            break;
        }
        case SettingStorage::Point: {
            WindowPoint point;
            std::memcpy(&point, member, sizeof point);
            WriteLe32(data, static_cast<uint32_t>(point.x));
            WriteLe32(data + 4, static_cast<uint32_t>(point.y));
            break;
        }
        case SettingStorage::VideoMode: {
            DisplayMode mode;
            std::memcpy(&mode, member, sizeof mode);
            WriteLe32(data, mode.width);
            WriteLe32(data + 4, mode.height);
            WriteLe32(data + 8, mode.bitsPerPixel);
            WriteLe32(data + 12, mode.refreshRate);
            break;
        }
        case SettingStorage::String: {
            size_t length = 0;
            while (length + 1 < row.slot && member[length] != 0) ++length;
            std::memcpy(data, member, length);
            data[length] = 0;
            type = kRegistryString;
            size = static_cast<uint32_t>(length + 1);
            break;
        }
    }
}
