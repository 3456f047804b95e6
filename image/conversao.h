#pragma once
// Number conversions with the rules of the user-interface class library the
// windows were designed on: the same accepted texts and the same error text.
#include <stdexcept>
#include <string>
#include <string_view>

// Raised when a text is not a number; what() is
// "'<text>' is not a valid integer value".
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(std::string_view texto);
};

// Decimal with optional leading blanks and sign; "$" or "0x" before hex
// digits (eight at most, read as a 32-bit pattern). Anything else, an empty
// text or a value outside the 32-bit range raises EConvertError.
int StrToInt(std::string_view texto);

std::string IntToStr(long long valor);

// '0'..'9' only, no other script's digits.
constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
// True when every character is a digit; an empty text counts.
bool SoDigitos(std::string_view texto);

// The value with at least as many digits as the format has '0's ("00" and
// "#00" give "05", "231"); '#' stands for an optional digit.
std::string FormatInt(std::string_view formato, long long valor);

// The text without leading and trailing blanks and control characters.
std::string_view Trim(std::string_view texto);
