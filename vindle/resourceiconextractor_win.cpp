#include "vindle/resourceiconextractor_win.h"

#include "vindle/cscrabinterface.h"
#include "vindle/icons/iconresources.h"
#include "vindle/icons/iconselection.h"

#include <windows.h>

#include <optional>

namespace vindle
{

namespace
{

// A regular file mapped read-only for the life of this object; empty when it cannot be.
class MappedFile
{
public:
    explicit MappedFile(const std::u16string &path)
    {
        m_file = CreateFileW(reinterpret_cast<LPCWSTR>(path.c_str()), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER size{};
        // Only disk files: a device or a pipe could be endless; a folder does not open at all.
        if (m_file == INVALID_HANDLE_VALUE || GetFileType(m_file) != FILE_TYPE_DISK ||
            !GetFileSizeEx(m_file, &size) || size.QuadPart <= 0)
            return;
        m_mapping = CreateFileMappingW(m_file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (m_mapping == nullptr)
            return;
        m_view = MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, 0);
        if (m_view != nullptr)
            m_bytes = {static_cast<const std::uint8_t *>(m_view),
                       static_cast<size_t>(size.QuadPart)};
    }
    ~MappedFile()
    {
        if (m_view != nullptr)
            UnmapViewOfFile(m_view);
        if (m_mapping != nullptr)
            CloseHandle(m_mapping);
        if (m_file != INVALID_HANDLE_VALUE)
            CloseHandle(m_file);
    }
    MappedFile(const MappedFile &) = delete;
    MappedFile &operator=(const MappedFile &) = delete;

    std::span<const std::uint8_t> bytes() const { return m_bytes; }

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    HANDLE m_mapping = nullptr;
    void *m_view = nullptr;
    std::span<const std::uint8_t> m_bytes;
};

// The group's best image for `size`, made into an icon of size × size; null when none is whole.
HICON makeIcon(const icons::IconGroup &group, int size)
{
    const icons::IconImage *image = icons::bestImage(group, size);
    if (image == nullptr || !icons::completeImage(*image))
        return nullptr;
    // The platform only reads the bytes; its signature lacks the const.
    auto *bits = const_cast<PBYTE>(image->data.data());
    return CreateIconFromResourceEx(bits, static_cast<DWORD>(image->data.size()), TRUE, 0x00030000,
                                    size, size, LR_DEFAULTCOLOR);
}

} // namespace

int ResourceIconExtractor::count(const std::u16string &path)
{
    const MappedFile file(path);
    return icons::IconResources(file.bytes()).count();
}

void ResourceIconExtractor::extract(const std::u16string &path, int n, IconHandle *large,
                                    IconHandle *small)
{
    const MappedFile file(path);
    const icons::IconResources resources(file.bytes());
    for (int i = 0; i < n; ++i) {
        const icons::IconGroup group = resources.group(i);
        large[i] = makeIcon(group, LargeIcon);
        small[i] = makeIcon(group, SmallIcon);
    }
}

void ResourceIconExtractor::destroy(IconHandle icon)
{
    if (icon != nullptr)
        DestroyIcon(static_cast<HICON>(icon));
}

} // namespace vindle
