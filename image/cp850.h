#pragma once
// The DOS Western code page (850), in which text files written by DOS
// programs keep their accented letters. Bytes below 0x80 are ASCII.
#include <cstdint>

char32_t Cp850ParaUnicode(std::uint8_t byte);
