#include "desktopiniwriter.h"

#include "platform/codepage.h"
#include "utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace engine
{
namespace
{

constexpr const char *kCrLf = "\r\n";
constexpr const char *kBackgroundSection = "[{BE098140-A513-11D0-A3A4-00C04FD706EC}]";

void appendLine(std::string &out, std::string_view key, std::string_view value = {})
{
    out.append(key).append(value).append(kCrLf);
}

// The values the file carries as written text, in the order the lines take them.
std::vector<std::string_view> writtenValues(const CustomisationRequest &request)
{
    std::vector<std::string_view> values{request.iconPath, request.iconIndex};
    if (request.makeInfoTip)
        values.push_back(request.infoTip);
    if (request.makeBackground)
        values.push_back(request.picturePath);
    return values;
}

platform::Status failure(int code)
{
    return platform::Status::failure(code, std::strerror(code));
}

} // namespace

std::string DesktopIniWriter::text(const CustomisationRequest &request)
{
    return text(request, {request.iconPath, request.picturePath});
}

std::string DesktopIniWriter::text(const CustomisationRequest &request, const IniFilePaths &paths)
{
    std::string out;
    out.reserve(192 + paths.icon.size() + request.infoTip.size() + paths.picture.size());
    appendLine(out, "[.ShellClassInfo]");
    appendLine(out, "IconFile=", paths.icon);
    appendLine(out, "IconIndex=", request.iconIndex);
    if (request.makeInfoTip)
        appendLine(out, "InfoTip=", request.infoTip);
    if (request.makeBackground) {
        appendLine(out, kBackgroundSection);
        appendLine(out, "Attributes = 1");
        appendLine(out, "IconArea_Image=", paths.picture);
        appendLine(out, "IconArea_Text=", colourText(request.nameColour));
    }
    return out;
}

platform::Status DesktopIniWriter::checkValues(const CustomisationRequest &request)
{
    for (std::string_view value : writtenValues(request)) {
        if (!utf8::isValid(value))
            return failure(EILSEQ);
        if (value.find_first_of("\r\n") != std::string_view::npos)
            return failure(EINVAL);
    }
    return platform::Status::success();
}

std::optional<std::string> DesktopIniWriter::bytes(const CustomisationRequest &request,
                                                   unsigned codePage)
{
    return bytes(request, codePage, {request.iconPath, request.picturePath});
}

std::optional<std::string> DesktopIniWriter::bytes(const CustomisationRequest &request,
                                                   unsigned codePage, const IniFilePaths &paths)
{
    if (!checkValues(request).ok())
        return std::nullopt;
    return encoded(text(request, paths), codePage);
}

std::string DesktopIniWriter::encoded(std::string_view text, std::optional<unsigned> codePage)
{
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return std::string(text);
    if (codePage) {
        if (auto ansi = platform::utf8ToCodePage(text, *codePage))
            return *ansi;
    }
    // Text the code page cannot hold goes out as UTF-16LE rather than with "?" in its place.
    std::string wide = "\xFF\xFE";
    wide += utf8::toUtf16Le(text).value_or(std::string());
    return wide;
}

std::string DesktopIniWriter::colourText(std::uint32_t colour)
{
    return std::to_string(static_cast<std::int32_t>(colour));
}

} // namespace engine
