#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builders of small PE32/PE32+ modules and .ico files with known icons, for tests and benchmarks.
namespace iconfixtures
{

using Bytes = std::vector<std::uint8_t>;

// An RT_ICON image: a DIB (BITMAPINFOHEADER, palette for <= 8 bits, pixels, AND mask) filled with
// one opaque colour 0xRRGGBB, or the same as a PNG stream.
Bytes bmpImage(int size, int bitCount, std::uint32_t rgb);
Bytes pngImage(int size, std::uint32_t rgb);

// One entry of a group: what the directory says, and the RT_ICON id holding the bytes.
struct GroupEntry {
    int width;
    int height;
    int bitCount;
    std::uint16_t iconId;
};

struct Group {
    std::u16string name; // empty: named by `id`
    std::uint16_t id = 0;
    std::vector<GroupEntry> entries;
};

struct Module {
    bool pe32plus = false;
    std::vector<Group> groups;                          // any order: stored as a linker sorts
    std::vector<std::pair<std::uint16_t, Bytes>> icons; // RT_ICON id → bytes
};

// Where the writer put the parts that the broken variants patch.
struct Layout {
    size_t sectionTable = 0;             // file offset of the section table
    size_t resourceDirectory = 0;        // file offset of the data directory entry of the resources
    size_t sectionStart = 0;             // file offset of the resource section (its root directory)
    size_t groupTypeEntry = 0;           // file offset of the RT_GROUP_ICON entry in the root
    size_t groupDirectory = 0;           // file offset of the directory listing the groups
    std::vector<size_t> iconDataEntries; // file offsets of the RT_ICON data entries, by id order
};

Bytes buildModule(const Module &module, Layout *layout = nullptr);

// A .ico file holding the given images (width = height = size).
struct IcoEntry {
    int size;
    int bitCount;
    Bytes bytes;
};
Bytes buildIconFile(const std::vector<IcoEntry> &entries);

// A module with `count` id-named groups (ids 1..count), each one 32x32 and one 16x16 image in
// the colours colourOf(i, 32) and colourOf(i, 16).
Module plainModule(int count, bool pe32plus = false);
std::uint32_t colourOf(int icon, int size);

void put16(Bytes &bytes, size_t at, std::uint16_t value);
void put32(Bytes &bytes, size_t at, std::uint32_t value);
bool writeFile(const std::string &path, const Bytes &bytes);

} // namespace iconfixtures
