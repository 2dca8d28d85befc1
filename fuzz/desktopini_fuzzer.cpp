// The "desktop.ini" reader over arbitrary bytes, and the writer's file read back by the reader.
#include "engine/desktopinireader.h"
#include "engine/desktopiniwriter.h"
#include "engine/utf8.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using engine::CustomisationRequest;
using engine::DesktopIniReader;
using engine::DesktopIniWriter;

using fuzzcheck::check;

namespace
{

constexpr unsigned kCyrillic = 1251;
constexpr unsigned kWestern = 1252;
constexpr unsigned kJapanese = 932; // double-byte: a lead byte can swallow the line end

// Lines come out as UTF-8 without line ends, whatever the bytes were.
void checkLines(std::string_view bytes, unsigned codePage)
{
    for (const std::string &line : DesktopIniReader::lines(bytes, codePage)) {
        check(line.find_first_of("\r\n") == std::string::npos);
        check(engine::utf8::isValid(line));
    }
}

// The request the reader's outcome describes, as the main window would hold it afterwards.
CustomisationRequest requestFrom(const engine::FolderIniOutcome &outcome)
{
    CustomisationRequest request;
    request.iconPath = outcome.iconPath.value_or("C:\\icons\\a.ico");
    request.iconIndex = outcome.iconIndex.value_or("0");
    request.makeInfoTip = outcome.infoTip.has_value();
    request.infoTip = outcome.infoTip.value_or("");
    request.makeBackground = true;
    return request;
}

// Whatever the writer puts in a file, the reader takes back unchanged.
void checkWrittenFileReadsBack(const CustomisationRequest &request, unsigned codePage)
{
    check(DesktopIniWriter::checkValues(request).ok());
    const auto bytes = DesktopIniWriter::bytes(request, codePage);
    check(bytes.has_value());
    const engine::FolderIniOutcome back = DesktopIniReader::read(*bytes, "0", codePage);
    check(back.iconPath == request.iconPath);
    check(back.iconIndex == request.iconIndex);
    if (!DesktopIniReader::indexNumber(request.iconIndex)) {
        check(back.stoppedEarly && !back.infoTip);
        return;
    }
    check(!back.stoppedEarly);
    check(back.infoTip == (request.makeInfoTip ? std::optional(request.infoTip) : std::nullopt));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (unsigned codePage : {kCyrillic, kWestern, kJapanese})
        checkLines(bytes, codePage);
    const engine::FolderIniOutcome outcome = DesktopIniReader::read(bytes, "0", kCyrillic);
    DesktopIniReader::read(bytes, "not a number", kWestern);
    DesktopIniReader::indexNumber(bytes);
    const CustomisationRequest request = requestFrom(outcome);
    checkWrittenFileReadsBack(request, kCyrillic);
    checkWrittenFileReadsBack(request, kWestern);
    return 0;
}
