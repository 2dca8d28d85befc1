#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vindle::icons
{

// One image of an icon as its directory lists it, with its bytes (a BMP DIB or a PNG stream).
struct IconImage {
    int width = 0;  // pixels; a directory's 0 means 256
    int height = 0; // pixels; a directory's 0 means 256
    int colorCount = 0;
    int planes = 0;
    int bitCount = 0;
    std::span<const std::uint8_t> data;
};
using IconGroup = std::vector<IconImage>;

// How the resource directory names a group: by a string or by a number.
struct GroupName {
    bool named = false;
    std::u16string name;
    std::uint16_t id = 0;
};

// The icons held in a file's bytes: the RT_GROUP_ICON resources of a PE32/PE32+ module, in the
// order of its resource directory (named entries first, then ids ascending, as linkers store them),
// or a single .ico file as one icon. Anything else holds none. Every offset and size read from the
// bytes is checked against them; the bytes must outlive this object.
class IconResources
{
public:
    explicit IconResources(std::span<const std::uint8_t> bytes);

    int count() const { return static_cast<int>(m_groups.size()); }
    // The images of icon `index` whose bytes could be found (empty when none or out of range).
    IconGroup group(int index) const;
    GroupName groupName(int index) const;

private:
    struct Section {
        std::uint32_t virtualAddress;
        std::uint32_t virtualSize;
        std::uint32_t rawPointer;
        std::uint32_t rawSize;
    };
    struct Entry {
        std::uint32_t name;
        std::uint32_t target;
    };

    void readIconFile();
    void readModule();
    void readSections(size_t tableOffset, unsigned count);
    std::optional<size_t> fileOffset(std::uint32_t rva, std::uint32_t length) const;
    std::vector<Entry> directory(std::uint32_t offset) const;
    std::optional<Entry> firstEntry(std::uint32_t offset) const;
    std::span<const std::uint8_t> resourceData(std::uint32_t target) const;
    IconGroup readGroup(std::span<const std::uint8_t> data) const;
    std::span<const std::uint8_t> iconById(std::uint16_t id) const;

    std::span<const std::uint8_t> m_bytes;
    std::span<const std::uint8_t> m_resources; // the resource section from its root directory on
    std::vector<Section> m_sections;
    GroupName nameOf(const Entry &entry) const;

    std::vector<std::span<const std::uint8_t>> m_groups; // group resources (a .ico: the whole file)
    std::vector<GroupName> m_names;
    std::vector<std::pair<std::uint16_t, std::span<const std::uint8_t>>> m_icons; // sorted by id
    bool m_iconFile = false;
};

} // namespace vindle::icons
