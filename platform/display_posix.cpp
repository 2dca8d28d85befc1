#include "display.h"

#include <cstdlib>
#include <dlfcn.h>
#include <optional>

namespace platform
{

namespace
{

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// The library the toolkit itself would connect through; it stays loaded, as the windows load it
// next. nullptr when missing: loading the windows then says what is wrong.
template <typename Function> Function symbolOf(const char *library, const char *name)
{
    void *module = dlopen(library, RTLD_LAZY | RTLD_LOCAL);
    return module ? reinterpret_cast<Function>(dlsym(module, name)) : nullptr;
}

// Whether the X server named by DISPLAY lets us in (a connection also passes its authorisation);
// nullopt when that cannot be asked.
std::optional<bool> xAnswers()
{
    constexpr const char *kLibrary = "libxcb.so.1";
    const auto connect = symbolOf<void *(*)(const char *, int *)>(kLibrary, "xcb_connect");
    const auto error = symbolOf<int (*)(void *)>(kLibrary, "xcb_connection_has_error");
    const auto disconnect = symbolOf<void (*)(void *)>(kLibrary, "xcb_disconnect");
    if (!connect || !error || !disconnect)
        return std::nullopt;
    void *connection = connect(nullptr, nullptr);
    const bool answers = error(connection) == 0;
    disconnect(connection);
    return answers;
}

std::optional<bool> waylandAnswers()
{
    constexpr const char *kLibrary = "libwayland-client.so.0";
    const auto connect = symbolOf<void *(*)(const char *)>(kLibrary, "wl_display_connect");
    const auto disconnect = symbolOf<void (*)(void *)>(kLibrary, "wl_display_disconnect");
    if (!connect || !disconnect)
        return std::nullopt;
    void *display = connect(nullptr);
    if (display)
        disconnect(display);
    return display != nullptr;
}

} // namespace

std::string unreachableDisplay()
{
    const std::string chosen = environment("QT_QPA_PLATFORM");
    bool x = !environment("DISPLAY").empty(), wayland = !environment("WAYLAND_DISPLAY").empty();
    if (!chosen.empty()) {
        x = chosen.find("xcb") != std::string::npos;
        wayland = chosen.find("wayland") != std::string::npos;
    }
    // Offscreen, VNC and the like are the user's own choice, with no server to ask.
    if (!x && !wayland)
        return {};
    const bool xUp = x && xAnswers().value_or(true);
    const bool waylandUp = wayland && waylandAnswers().value_or(true);
    if (xUp != waylandUp && chosen.empty())
        setenv("QT_QPA_PLATFORM", xUp ? "xcb" : "wayland", 1);
    if (xUp || waylandUp)
        return {};
    std::string named = x ? "DISPLAY=" + environment("DISPLAY") : "";
    if (wayland)
        named +=
            (named.empty() ? "" : ", ") + ("WAYLAND_DISPLAY=" + environment("WAYLAND_DISPLAY"));
    return named;
}

} // namespace platform
