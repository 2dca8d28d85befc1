#include "desktopinimerge.h"

#include "clientpaths.h"

namespace engine
{
namespace
{

enum class Owner { None, Shell, Background };

// One section of a file: its header line (none for the lines before the first) and its lines.
struct Section {
    std::optional<std::string> header;
    Owner owner = Owner::None;
    std::vector<std::string> lines;
};

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isBlank(std::string_view line)
{
    return trimmed(line).empty();
}

// The section a header line opens, as the shell compares names; nullopt for any other line.
std::optional<std::string> headerName(std::string_view line)
{
    line = trimmed(line);
    const std::size_t close = line.find(']');
    if (!line.starts_with('[') || close == std::string_view::npos)
        return std::nullopt;
    return asciiLower(trimmed(line.substr(1, close - 1)));
}

Owner ownerOf(std::string_view name)
{
    if (name == ".shellclassinfo")
        return Owner::Shell;
    if (name == "{be098140-a513-11d0-a3a4-00c04fd706ec}")
        return Owner::Background;
    return Owner::None;
}

std::string keyOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string()
                                            : asciiLower(trimmed(line.substr(0, equals)));
}

bool isOurKey(Owner owner, const std::string &key)
{
    if (owner == Owner::Shell)
        return key == "iconfile" || key == "iconindex" || key == "infotip";
    if (owner == Owner::Background)
        return key == "attributes" || key == "iconarea_image" || key == "iconarea_text";
    return false;
}

bool isIconResource(Owner owner, const std::string &key)
{
    return owner == Owner::Shell && key == "iconresource";
}

std::vector<Section> sectionsOf(const std::vector<std::string> &lines)
{
    std::vector<Section> sections(1);
    for (const std::string &line : lines) {
        if (const auto name = headerName(line)) {
            sections.push_back({line, ownerOf(*name), {}});
            continue;
        }
        sections.back().lines.push_back(line);
    }
    return sections;
}

// What the program writes: the lines of its two sections, keyed by owner.
struct OwnLines {
    std::vector<std::string> shellHeader, shell, backgroundHeader, background;
};

OwnLines ownLinesOf(std::string_view text)
{
    OwnLines own;
    std::vector<std::string> *target = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        const std::string line(text.substr(start, end - start));
        start = end + 2;
        if (const auto name = headerName(line)) {
            const bool shell = ownerOf(*name) == Owner::Shell;
            (shell ? own.shellHeader : own.backgroundHeader).push_back(line);
            target = shell ? &own.shell : &own.background;
        } else if (target != nullptr) {
            target->push_back(line);
        }
    }
    return own;
}

// How one merge goes: `own` null when the program's keys are taken out.
class Merge
{
public:
    Merge(const OwnLines *own, const std::optional<std::string> &iconResource)
        : m_own(own), m_iconResource(iconResource)
    {
    }

    std::vector<std::string> run(const std::vector<Section> &sections)
    {
        bool hasShell = false, hasBackground = false;
        for (const Section &section : sections) {
            hasShell = hasShell || section.owner == Owner::Shell;
            hasBackground = hasBackground || section.owner == Owner::Background;
        }
        for (std::size_t i = 0; i < sections.size(); ++i) {
            if (i == 1 && m_own && !hasShell) {
                appendOwn(Owner::Shell);
                if (!hasBackground)
                    appendOwn(Owner::Background);
            }
            appendSection(sections[i]);
            if (sections[i].owner == Owner::Shell && m_own && !hasBackground && !m_placedBackground)
                appendOwn(Owner::Background);
        }
        if (sections.size() == 1 && m_own) {
            appendOwn(Owner::Shell);
            appendOwn(Owner::Background);
        }
        return m_out;
    }

private:
    const std::vector<std::string> *ownOf(Owner owner) const
    {
        if (!m_own)
            return nullptr;
        if (owner == Owner::Shell)
            return m_own->shellHeader.empty() ? nullptr : &m_own->shell;
        return m_own->backgroundHeader.empty() ? nullptr : &m_own->background;
    }

    void appendOwn(Owner owner)
    {
        const std::vector<std::string> *lines = ownOf(owner);
        if (lines == nullptr)
            return;
        (owner == Owner::Shell ? m_placedShell : m_placedBackground) = true;
        m_out.push_back(owner == Owner::Shell ? m_own->shellHeader[0] : m_own->backgroundHeader[0]);
        m_out.insert(m_out.end(), lines->begin(), lines->end());
    }

    void appendSection(const Section &section)
    {
        if (section.owner == Owner::None) {
            if (section.header)
                m_out.push_back(*section.header);
            m_out.insert(m_out.end(), section.lines.begin(), section.lines.end());
            return;
        }
        bool &placed = section.owner == Owner::Shell ? m_placedShell : m_placedBackground;
        const std::vector<std::string> *own = placed ? nullptr : ownOf(section.owner);
        std::vector<std::string> body;
        bool kept = false;
        for (const std::string &line : section.lines) {
            const std::string key = keyOf(line);
            if (isOurKey(section.owner, key)) {
                if (own != nullptr && !placed)
                    body.insert(body.end(), own->begin(), own->end());
                placed = placed || own != nullptr;
                continue;
            }
            if (isIconResource(section.owner, key) && (!m_own || m_iconResource)) {
                if (!m_own)
                    continue;
                body.push_back("IconResource=" + *m_iconResource);
            } else {
                body.push_back(line);
            }
            kept = kept || !isBlank(body.back());
        }
        if (own != nullptr && !placed) {
            body.insert(body.begin(), own->begin(), own->end());
            placed = true;
        }
        if (!kept && own == nullptr)
            return; // a section of ours with nothing left in it goes
        m_out.push_back(*section.header);
        m_out.insert(m_out.end(), body.begin(), body.end());
    }

    const OwnLines *m_own;
    const std::optional<std::string> &m_iconResource;
    std::vector<std::string> m_out;
    bool m_placedShell = false, m_placedBackground = false;
};

std::string joined(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text.append(line).append("\r\n");
    return text;
}

// True when every line is blank, a header of ours or a key of ours under it.
bool onlyOwn(const std::vector<Section> &sections)
{
    for (const Section &section : sections) {
        if (section.header && section.owner == Owner::None)
            return false;
        for (const std::string &line : section.lines)
            if (!isBlank(line) && !isOurKey(section.owner, keyOf(line)))
                return false;
    }
    return true;
}

} // namespace

std::string DesktopIniMerge::dressed(const std::vector<std::string> &old, std::string_view ours,
                                     const std::optional<std::string> &iconResource)
{
    const std::vector<Section> sections = sectionsOf(old);
    if (onlyOwn(sections))
        return std::string(ours);
    const OwnLines own = ownLinesOf(ours);
    return joined(Merge(&own, iconResource).run(sections));
}

std::optional<std::string> DesktopIniMerge::undressed(const std::vector<std::string> &old)
{
    const std::vector<std::string> kept = Merge(nullptr, std::nullopt).run(sectionsOf(old));
    for (const std::string &line : kept)
        if (!isBlank(line))
            return joined(kept);
    return std::nullopt;
}

bool DesktopIniMerge::holdsOwnKeys(const std::vector<std::string> &old)
{
    for (const Section &section : sectionsOf(old))
        for (const std::string &line : section.lines) {
            const std::string key = keyOf(line);
            if (isOurKey(section.owner, key) || isIconResource(section.owner, key))
                return true;
        }
    return false;
}

} // namespace engine
