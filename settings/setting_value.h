// Conversion of one setting between its member in Settings and its registry bytes, by the
// storage kind of its table row. Numbers are little-endian in the registry whatever the
// machine.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings_table.h"

// The largest value the loader queries; anything longer is treated as absent.
constexpr uint32_t kSettingQueryBuffer = 2048;

// Puts the row's default into its member.
void SetSettingDefault(const SettingDescriptor& row, Settings& settings);

// Takes a queried value into the row's member. A non-string value must have exactly its
// storage width (its registry type is not looked at); a string must fit its slot with its
// NUL. False, with the member untouched, otherwise.
[[nodiscard]] bool DecodeSetting(const SettingDescriptor& row,
                                 const unsigned char* data,
                                 uint32_t size,
                                 Settings& settings);

// The registry form of the row's member: type and bytes (at most kSettingQueryBuffer).
// Strings are written up to their NUL, which is included; a member without a NUL in its
// slot is written cut at the slot's end.
void EncodeSetting(const SettingDescriptor& row,
                   const Settings& settings,
                   uint32_t& type,
                   unsigned char* data,
                   uint32_t& size);
