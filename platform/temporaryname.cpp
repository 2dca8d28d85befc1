#include "temporaryname.h"

#include <cstdint>
#include <random>

namespace platform
{

namespace
{

constexpr std::size_t kMaxBaseInTemporaryName = 200; // keeps the hidden name under NAME_MAX
constexpr std::size_t kHexDigits = 12;
constexpr std::uint64_t kDigitBits = 0xFFFFFFFFFFFFull; // the 12 digits' worth

bool isLowerHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

} // namespace

std::string temporaryNameFor(std::string_view name)
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    const std::string_view base = name.substr(0, kMaxBaseInTemporaryName);
    std::string temporary;
    temporary.reserve(base.size() + kHexDigits + 3);
    temporary.append(".").append(base).append(".");
    std::uint64_t bits = generator() & kDigitBits;
    if (bits == 0) // the locked run's name
        bits = 1;
    for (std::size_t digit = kHexDigits; digit-- > 0;)
        temporary += "0123456789abcdef"[(bits >> (digit * 4)) & 0xF];
    temporary += '~';
    return temporary;
}

std::string lockedTemporaryNameFor(std::string_view name)
{
    const std::string_view base = name.substr(0, kMaxBaseInTemporaryName);
    std::string temporary;
    temporary.reserve(base.size() + kHexDigits + 3);
    temporary.append(".").append(base).append(".").append(kHexDigits, '0').append("~");
    return temporary;
}

bool isTemporaryName(std::string_view entry, std::string_view name)
{
    const std::string_view base = name.substr(0, kMaxBaseInTemporaryName);
    if (entry.size() != base.size() + kHexDigits + 3 || entry.front() != '.' ||
        entry.substr(1, base.size()) != base || entry[base.size() + 1] != '.' ||
        entry.back() != '~')
        return false;
    for (char c : entry.substr(base.size() + 2, kHexDigits)) {
        if (!isLowerHex(c))
            return false;
    }
    return true;
}

} // namespace platform
