#include "vindle/icons/iconlibrary.h"

#include "vindle/icons/icondecoder.h"

#include <QFileInfo>

namespace vindle::icons
{

IconLibrary::IconLibrary(const QString &path) : m_file(path)
{
    // Only regular files: a device or a pipe could be endless.
    if (!QFileInfo(path).isFile() || !m_file.open(QIODevice::ReadOnly))
        return;
    const qint64 size = m_file.size();
    std::span<const std::uint8_t> bytes;
    if (const uchar *mapped = size > 0 ? m_file.map(0, size) : nullptr) {
        bytes = {mapped, static_cast<size_t>(size)};
    } else {
        m_copy = m_file.readAll();
        bytes = {reinterpret_cast<const std::uint8_t *>(m_copy.constData()),
                 static_cast<size_t>(m_copy.size())};
    }
    m_resources = std::make_unique<IconResources>(bytes);
}

IconLibrary::~IconLibrary() = default;

QImage IconLibrary::image(int index, int size) const
{
    if (!m_resources)
        return {};
    return iconImage(m_resources->group(index), size);
}

QImage firstIcon(const QString &path, int size)
{
    const IconLibrary library(path);
    return library.count() > 0 ? library.image(0, size) : QImage();
}

} // namespace vindle::icons
