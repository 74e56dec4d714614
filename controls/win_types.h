#pragma once

// The plain value types the controls' interfaces keep from the window system
// they were designed for: 32-bit flags, colours as 0x00BBGGRR values.

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using BYTE = std::uint8_t;
using COLORREF = std::uint32_t;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;
