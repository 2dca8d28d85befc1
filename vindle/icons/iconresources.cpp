#include "vindle/icons/iconresources.h"

#include <algorithm>
#include <cstdlib>

namespace vindle::icons
{
namespace
{

constexpr std::uint32_t RT_ICON = 3;
constexpr std::uint32_t RT_GROUP_ICON = 14;
constexpr std::uint32_t highBit = 0x80000000u;
constexpr int maxResourceDepth = 3; // type, name, language

using Bytes = std::span<const std::uint8_t>;

// Little-endian reads that fail instead of reading past the end.
bool read16(Bytes bytes, size_t offset, std::uint16_t &value)
{
    if (offset > bytes.size() || bytes.size() - offset < 2)
        return false;
    value = static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
    return true;
}

bool read32(Bytes bytes, size_t offset, std::uint32_t &value)
{
    if (offset > bytes.size() || bytes.size() - offset < 4)
        return false;
    value = static_cast<std::uint32_t>(bytes[offset]) | bytes[offset + 1] << 8 |
            bytes[offset + 2] << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
    return true;
}

Bytes slice(Bytes bytes, size_t offset, size_t length)
{
    if (offset > bytes.size() || bytes.size() - offset < length)
        return {};
    return bytes.subspan(offset, length);
}

int side(std::uint8_t stored)
{
    return stored == 0 ? 256 : stored;
}

// The common head of an icon directory entry: both .ico and RT_GROUP_ICON entries start with it.
IconImage imageHead(Bytes entry)
{
    IconImage image;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    read16(entry, 4, planes);
    read16(entry, 6, bitCount);
    image.width = side(entry[0]);
    image.height = side(entry[1]);
    image.colorCount = entry[2];
    image.planes = planes;
    image.bitCount = bitCount;
    return image;
}

} // namespace

IconResources::IconResources(Bytes bytes) : m_bytes(bytes)
{
    std::uint16_t magic = 0;
    if (!read16(bytes, 0, magic))
        return;
    if (magic == 0x5A4D) // "MZ"
        readModule();
    else if (magic == 0)
        readIconFile();
}

void IconResources::readIconFile()
{
    std::uint16_t type = 0;
    std::uint16_t count = 0;
    if (read16(m_bytes, 2, type) && read16(m_bytes, 4, count) && type == 1 && count > 0) {
        m_iconFile = true;
        m_groups.push_back(m_bytes);
        m_names.emplace_back();
    }
}

void IconResources::readModule()
{
    std::uint32_t peOffset = 0;
    std::uint32_t signature = 0;
    if (!read32(m_bytes, 0x3C, peOffset) || !read32(m_bytes, peOffset, signature) ||
        signature != 0x00004550) // "PE\0\0"
        return;
    const size_t coff = size_t{peOffset} + 4;
    const size_t optional = coff + 20;
    std::uint16_t sectionCount = 0;
    std::uint16_t optionalSize = 0;
    std::uint16_t kind = 0;
    if (!read16(m_bytes, coff + 2, sectionCount) || !read16(m_bytes, coff + 16, optionalSize) ||
        !read16(m_bytes, optional, kind))
        return;
    if (kind != 0x10B && kind != 0x20B) // PE32, PE32+
        return;
    const size_t directories = optional + (kind == 0x10B ? 96 : 112);
    std::uint32_t directoryCount = 0;
    std::uint32_t rootRva = 0;
    std::uint32_t rootSize = 0;
    if (!read32(m_bytes, directories - 4, directoryCount) || directoryCount < 3 ||
        directories + 3 * 8 > optional + optionalSize ||
        !read32(m_bytes, directories + 16, rootRva) ||
        !read32(m_bytes, directories + 20, rootSize) || rootRva == 0)
        return;
    readSections(optional + optionalSize, sectionCount);
    const std::optional<size_t> root = fileOffset(rootRva, 16);
    if (!root)
        return;
    // Directory offsets are relative to the root and stay inside the section that holds it.
    for (const Section &s : m_sections) {
        if (rootRva >= s.virtualAddress && rootRva - s.virtualAddress < s.rawSize)
            m_resources = slice(m_bytes, *root, s.rawSize - (rootRva - s.virtualAddress));
    }
    if (m_resources.empty())
        m_resources = slice(m_bytes, *root, m_bytes.size() - *root);
    std::vector<Entry> groupEntries;
    for (const Entry &type : directory(0)) {
        if (type.name == RT_ICON && (type.target & highBit)) {
            for (const Entry &icon : directory(type.target & ~highBit)) {
                if (!(icon.name & highBit) && icon.name <= 0xFFFF)
                    m_icons.emplace_back(static_cast<std::uint16_t>(icon.name),
                                         resourceData(icon.target));
            }
        } else if (type.name == RT_GROUP_ICON && (type.target & highBit) && groupEntries.empty()) {
            groupEntries = directory(type.target & ~highBit);
        }
    }
    std::stable_sort(m_icons.begin(), m_icons.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const Entry &group : groupEntries) {
        m_groups.push_back(resourceData(group.target));
        m_names.push_back(nameOf(group));
    }
}

void IconResources::readSections(size_t tableOffset, unsigned count)
{
    for (unsigned i = 0; i < count; ++i) {
        const size_t at = tableOffset + size_t{i} * 40;
        Section s{};
        if (!read32(m_bytes, at + 8, s.virtualSize) ||
            !read32(m_bytes, at + 12, s.virtualAddress) || !read32(m_bytes, at + 16, s.rawSize) ||
            !read32(m_bytes, at + 20, s.rawPointer))
            return; // a truncated table keeps the sections read so far
        m_sections.push_back(s);
    }
}

// The file offset of `length` bytes at `rva`, when a section holds all of them in the file.
std::optional<size_t> IconResources::fileOffset(std::uint32_t rva, std::uint32_t length) const
{
    for (const Section &s : m_sections) {
        if (rva < s.virtualAddress)
            continue;
        const std::uint64_t inside = rva - s.virtualAddress;
        if (inside + length > s.rawSize)
            continue;
        const std::uint64_t offset = s.rawPointer + inside;
        if (offset + length <= m_bytes.size())
            return static_cast<size_t>(offset);
    }
    return std::nullopt;
}

// The entries of the resource directory at `offset`, as many as fit in the resource section.
std::vector<IconResources::Entry> IconResources::directory(std::uint32_t offset) const
{
    std::vector<Entry> entries;
    std::uint16_t named = 0;
    std::uint16_t ids = 0;
    if (!read16(m_resources, size_t{offset} + 12, named) ||
        !read16(m_resources, size_t{offset} + 14, ids))
        return entries;
    const size_t first = size_t{offset} + 16;
    const size_t room = (m_resources.size() - first) / 8;
    const size_t count = std::min<size_t>(size_t{named} + ids, room);
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        Entry e{};
        read32(m_resources, first + i * 8, e.name);
        read32(m_resources, first + i * 8 + 4, e.target);
        entries.push_back(e);
    }
    return entries;
}

std::optional<IconResources::Entry> IconResources::firstEntry(std::uint32_t offset) const
{
    std::uint16_t named = 0;
    std::uint16_t ids = 0;
    Entry e{};
    if (!read16(m_resources, size_t{offset} + 12, named) ||
        !read16(m_resources, size_t{offset} + 14, ids) || named + ids == 0 ||
        !read32(m_resources, size_t{offset} + 16, e.name) ||
        !read32(m_resources, size_t{offset} + 20, e.target))
        return std::nullopt;
    return e;
}

// The bytes an entry leads to, taking the first entry of each level below it (the first language).
std::span<const std::uint8_t> IconResources::resourceData(std::uint32_t target) const
{
    for (int depth = 0; (target & highBit) && depth < maxResourceDepth; ++depth) {
        const std::optional<Entry> below = firstEntry(target & ~highBit);
        if (!below)
            return {};
        target = below->target;
    }
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    if ((target & highBit) || !read32(m_resources, target, rva) ||
        !read32(m_resources, size_t{target} + 4, size))
        return {};
    const std::optional<size_t> offset = fileOffset(rva, size);
    return offset ? m_bytes.subspan(*offset, size) : Bytes{};
}

std::span<const std::uint8_t> IconResources::iconById(std::uint16_t id) const
{
    const auto found =
        std::lower_bound(m_icons.begin(), m_icons.end(), id,
                         [](const auto &icon, std::uint16_t key) { return icon.first < key; });
    return found != m_icons.end() && found->first == id ? found->second : Bytes{};
}

// A GRPICONDIR: 6 bytes of head, then 14-byte entries naming their RT_ICON by id.
IconGroup IconResources::readGroup(Bytes data) const
{
    IconGroup images;
    std::uint16_t count = 0;
    if (!read16(data, 4, count))
        return images;
    const size_t entrySize = m_iconFile ? 16 : 14;
    for (size_t i = 0; i < count; ++i) {
        const Bytes entry = slice(data, 6 + i * entrySize, entrySize);
        if (entry.empty())
            break;
        IconImage image = imageHead(entry);
        std::uint32_t size = 0;
        read32(entry, 8, size);
        if (m_iconFile) {
            std::uint32_t offset = 0;
            read32(entry, 12, offset);
            image.data = slice(m_bytes, offset, size);
        } else {
            std::uint16_t id = 0;
            read16(entry, 12, id);
            image.data = iconById(id);
        }
        if (!image.data.empty())
            images.push_back(image);
    }
    return images;
}

// A string name: a 16-bit length, then UTF-16 characters, at an offset from the root.
GroupName IconResources::nameOf(const Entry &entry) const
{
    GroupName name;
    if (!(entry.name & highBit)) {
        name.id = static_cast<std::uint16_t>(entry.name);
        return name;
    }
    name.named = true;
    const size_t at = entry.name & ~highBit;
    std::uint16_t length = 0;
    if (!read16(m_resources, at, length))
        return name;
    for (size_t i = 0; i < length; ++i) {
        std::uint16_t c = 0;
        if (!read16(m_resources, at + 2 + 2 * i, c))
            break;
        name.name += static_cast<char16_t>(c);
    }
    return name;
}

GroupName IconResources::groupName(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_names[static_cast<size_t>(index)];
}

IconGroup IconResources::group(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return readGroup(m_groups[static_cast<size_t>(index)]);
}

} // namespace vindle::icons
