#include "iconfixtures.h"

#include <algorithm>
#include <fstream>

namespace iconfixtures
{

void put16(Bytes &bytes, size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(Bytes &bytes, size_t at, std::uint32_t value)
{
    put16(bytes, at, static_cast<std::uint16_t>(value));
    put16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

namespace
{

size_t align(size_t value, size_t to)
{
    return (value + to - 1) / to * to;
}

void append16(Bytes &bytes, std::uint16_t value)
{
    bytes.resize(bytes.size() + 2);
    put16(bytes, bytes.size() - 2, value);
}

void append32(Bytes &bytes, std::uint32_t value)
{
    bytes.resize(bytes.size() + 4);
    put32(bytes, bytes.size() - 4, value);
}

// One leaf of the resource tree.
struct Leaf {
    std::uint16_t type;
    std::u16string name;
    std::uint16_t id;
    Bytes data;
};

// The size of the RT_ICON `id`, as a linker writes it into the group (0 when there is none).
std::uint32_t iconSize(const Module &module, std::uint16_t id)
{
    for (const auto &[iconId, bytes] : module.icons) {
        if (iconId == id)
            return static_cast<std::uint32_t>(bytes.size());
    }
    return 0;
}

Bytes groupData(const Group &group, const Module &module)
{
    Bytes data;
    append16(data, 0);
    append16(data, 1);
    append16(data, static_cast<std::uint16_t>(group.entries.size()));
    for (const GroupEntry &e : group.entries) {
        data.push_back(static_cast<std::uint8_t>(e.width & 0xFF));
        data.push_back(static_cast<std::uint8_t>(e.height & 0xFF));
        data.push_back(e.bitCount <= 4 ? static_cast<std::uint8_t>(1 << e.bitCount) : 0);
        data.push_back(0);
        append16(data, 1);
        append16(data, static_cast<std::uint16_t>(e.bitCount));
        // Our reader takes the RT_ICON's own size; icoutils copies this one into its .ico files.
        append32(data, iconSize(module, e.iconId));
        append16(data, e.iconId);
    }
    return data;
}

// Linkers store named entries first, by name, then ids ascending.
bool storedBefore(const Leaf &a, const Leaf &b)
{
    if (a.type != b.type)
        return a.type < b.type;
    if (a.name.empty() != b.name.empty())
        return !a.name.empty();
    return a.name.empty() ? a.id < b.id : a.name < b.name;
}

std::vector<Leaf> leavesOf(const Module &module)
{
    std::vector<Leaf> leaves;
    for (const auto &[id, bytes] : module.icons)
        leaves.push_back({3, {}, id, bytes});
    for (const Group &group : module.groups)
        leaves.push_back({14, group.name, group.id, groupData(group, module)});
    std::stable_sort(leaves.begin(), leaves.end(), storedBefore);
    return leaves;
}

} // namespace

namespace
{

void writeDirectory(Bytes &s, size_t at, size_t named, size_t ids)
{
    put16(s, at + 12, static_cast<std::uint16_t>(named));
    put16(s, at + 14, static_cast<std::uint16_t>(ids));
}

// The .rsrc section: root (types), one directory per type, one language directory per leaf,
// the name strings, the data entries, then the data.
Bytes resourceSection(const std::vector<Leaf> &leaves, std::uint32_t rva, size_t fileOffset,
                      Layout &layout)
{
    std::vector<std::uint16_t> types;
    for (const Leaf &leaf : leaves) {
        if (types.empty() || types.back() != leaf.type)
            types.push_back(leaf.type);
    }
    const size_t n = leaves.size();
    std::vector<size_t> typeDir(types.size()), langDir(n), nameAt(n), entryAt(n), dataAt(n);
    size_t pos = 16 + 8 * types.size();
    for (size_t t = 0; t < types.size(); ++t) {
        typeDir[t] = pos;
        pos += 16 + 8 * std::count_if(leaves.begin(), leaves.end(),
                                      [&](const Leaf &l) { return l.type == types[t]; });
    }
    for (size_t i = 0; i < n; ++i, pos += 24)
        langDir[i] = pos;
    for (size_t i = 0; i < n; ++i) {
        if (!leaves[i].name.empty()) {
            nameAt[i] = pos;
            pos += 2 + 2 * leaves[i].name.size();
        }
    }
    pos = align(pos, 4);
    for (size_t i = 0; i < n; ++i, pos += 16)
        entryAt[i] = pos;
    for (size_t i = 0; i < n; ++i) {
        pos = align(pos, 8);
        dataAt[i] = pos;
        pos += leaves[i].data.size();
    }
    Bytes s(pos, 0);
    writeDirectory(s, 0, 0, types.size());
    for (size_t t = 0; t < types.size(); ++t) {
        put32(s, 16 + 8 * t, types[t]);
        put32(s, 16 + 8 * t + 4, 0x80000000u | static_cast<std::uint32_t>(typeDir[t]));
        if (types[t] == 14) {
            layout.groupTypeEntry = fileOffset + 16 + 8 * t;
            layout.groupDirectory = fileOffset + typeDir[t];
        }
        size_t named = 0;
        size_t slot = 0;
        for (size_t i = 0; i < n; ++i) {
            if (leaves[i].type != types[t])
                continue;
            named += leaves[i].name.empty() ? 0 : 1;
            const size_t at = typeDir[t] + 16 + 8 * slot++;
            put32(s, at,
                  leaves[i].name.empty() ? leaves[i].id
                                         : 0x80000000u | static_cast<std::uint32_t>(nameAt[i]));
            put32(s, at + 4, 0x80000000u | static_cast<std::uint32_t>(langDir[i]));
        }
        writeDirectory(s, typeDir[t], named, slot - named);
    }
    for (size_t i = 0; i < n; ++i) {
        writeDirectory(s, langDir[i], 0, 1);
        put32(s, langDir[i] + 16, 0x409);
        put32(s, langDir[i] + 20, static_cast<std::uint32_t>(entryAt[i]));
        if (!leaves[i].name.empty()) {
            put16(s, nameAt[i], static_cast<std::uint16_t>(leaves[i].name.size()));
            for (size_t c = 0; c < leaves[i].name.size(); ++c)
                put16(s, nameAt[i] + 2 + 2 * c, leaves[i].name[c]);
        }
        put32(s, entryAt[i], rva + static_cast<std::uint32_t>(dataAt[i]));
        put32(s, entryAt[i] + 4, static_cast<std::uint32_t>(leaves[i].data.size()));
        std::copy(leaves[i].data.begin(), leaves[i].data.end(), s.begin() + dataAt[i]);
        if (leaves[i].type == 3)
            layout.iconDataEntries.push_back(fileOffset + entryAt[i]);
    }
    return s;
}

} // namespace

Bytes buildModule(const Module &module, Layout *layoutOut)
{
    constexpr size_t peAt = 0x40;
    constexpr size_t sectionAt = 0x200;
    constexpr std::uint32_t sectionRva = 0x1000;
    Layout layout;
    const Bytes section = resourceSection(leavesOf(module), sectionRva, sectionAt, layout);
    const size_t rawSize = align(section.size(), 0x200);
    Bytes file(sectionAt + rawSize, 0);
    file[0] = 'M';
    file[1] = 'Z';
    put32(file, 0x3C, peAt);
    put32(file, peAt, 0x00004550);
    const size_t coff = peAt + 4;
    const size_t optionalSize = module.pe32plus ? 240 : 224;
    put16(file, coff, module.pe32plus ? 0x8664 : 0x14C);
    put16(file, coff + 2, 1);
    put16(file, coff + 16, static_cast<std::uint16_t>(optionalSize));
    put16(file, coff + 18, 0x2102); // executable, 32-bit words, DLL
    const size_t optional = coff + 20;
    put16(file, optional, module.pe32plus ? 0x20B : 0x10B);
    const size_t directories = optional + (module.pe32plus ? 112 : 96);
    put32(file, directories - 4, 16);
    put32(file, directories + 16, sectionRva);
    put32(file, directories + 20, static_cast<std::uint32_t>(section.size()));
    layout.resourceDirectory = directories + 16;
    layout.sectionTable = optional + optionalSize;
    const size_t table = layout.sectionTable;
    std::copy_n(".rsrc", 5, file.begin() + table);
    put32(file, table + 8, static_cast<std::uint32_t>(section.size()));
    put32(file, table + 12, sectionRva);
    put32(file, table + 16, static_cast<std::uint32_t>(rawSize));
    put32(file, table + 20, sectionAt);
    put32(file, table + 36, 0x40000040); // initialised data, readable
    std::copy(section.begin(), section.end(), file.begin() + sectionAt);
    layout.sectionStart = sectionAt;
    if (layoutOut)
        *layoutOut = layout;
    return file;
}

Bytes bmpImage(int size, int bitCount, std::uint32_t rgb)
{
    const size_t paletteSize = bitCount <= 8 ? (size_t{1} << bitCount) * 4 : 0;
    const size_t stride = align(static_cast<size_t>(size * bitCount), 32) / 8;
    const size_t maskStride = align(static_cast<size_t>(size), 32) / 8;
    Bytes dib(40 + paletteSize + stride * size + maskStride * size, 0);
    put32(dib, 0, 40);
    put32(dib, 4, static_cast<std::uint32_t>(size));
    put32(dib, 8, static_cast<std::uint32_t>(size * 2)); // image and mask
    put16(dib, 12, 1);
    put16(dib, 14, static_cast<std::uint16_t>(bitCount));
    const std::uint8_t b = rgb & 0xFF, g = (rgb >> 8) & 0xFF, r = (rgb >> 16) & 0xFF;
    uint8_t *pixels = dib.data() + 40 + paletteSize;
    if (bitCount <= 8) {
        // Palette entry 1 is the colour; every pixel uses it.
        dib[40 + 4] = b;
        dib[40 + 5] = g;
        dib[40 + 6] = r;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const size_t bit = static_cast<size_t>(x * bitCount + bitCount - 1);
                pixels[y * stride + bit / 8] |= static_cast<std::uint8_t>(0x80 >> (bit % 8));
            }
        }
    } else {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                std::uint8_t *p = pixels + y * stride + x * (bitCount / 8);
                p[0] = b;
                p[1] = g;
                p[2] = r;
                if (bitCount == 32)
                    p[3] = 0xFF;
            }
        }
    }
    return dib; // the AND mask stays 0: every pixel opaque
}

Bytes buildIconFile(const std::vector<IcoEntry> &entries)
{
    Bytes file;
    append16(file, 0);
    append16(file, 1);
    append16(file, static_cast<std::uint16_t>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const IcoEntry &e : entries) {
        file.push_back(static_cast<std::uint8_t>(e.size & 0xFF));
        file.push_back(static_cast<std::uint8_t>(e.size & 0xFF));
        file.push_back(0);
        file.push_back(0);
        append16(file, 1);
        append16(file, static_cast<std::uint16_t>(e.bitCount));
        append32(file, static_cast<std::uint32_t>(e.bytes.size()));
        append32(file, offset);
        offset += static_cast<std::uint32_t>(e.bytes.size());
    }
    for (const IcoEntry &e : entries)
        file.insert(file.end(), e.bytes.begin(), e.bytes.end());
    return file;
}

std::uint32_t colourOf(int icon, int size)
{
    // Distinct, well separated colours per icon and size.
    const std::uint32_t r = static_cast<std::uint32_t>(37 * icon + 20) % 256;
    const std::uint32_t g = static_cast<std::uint32_t>(91 * icon + 50) % 256;
    return r << 16 | g << 8 | (size == 32 ? 0x20u : 0xE0u);
}

Module plainModule(int count, bool pe32plus)
{
    Module module;
    module.pe32plus = pe32plus;
    for (int i = 0; i < count; ++i) {
        const auto large = static_cast<std::uint16_t>(2 * i + 1);
        const auto small = static_cast<std::uint16_t>(2 * i + 2);
        module.icons.emplace_back(large, bmpImage(32, 32, colourOf(i, 32)));
        module.icons.emplace_back(small, bmpImage(16, 32, colourOf(i, 16)));
        module.groups.push_back(
            {{}, static_cast<std::uint16_t>(i + 1), {{32, 32, 32, large}, {16, 16, 32, small}}});
    }
    return module;
}

bool writeFile(const std::string &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace iconfixtures
