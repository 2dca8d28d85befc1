#include "programmodule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#ifndef RAVO2_COMPONENT_RELDIR
#define RAVO2_COMPONENT_RELDIR "../lib/ravo2"
#endif

namespace platform
{

std::string programFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    const std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/'));
}

std::string installedLanguageFolder()
{
    const std::string folder = programFolder();
    return folder.empty() ? folder : folder + "/../share/ravo2/languages";
}

ProgramModule::ProgramModule(std::string stem) : m_stem(std::move(stem)) {}

bool ProgramModule::load()
{
    if (m_handle)
        return true;
    const std::string folder = programFolder();
    const std::string file = "/lib" + m_stem + ".so";
    m_error = "lib" + m_stem + ".so: not found beside the program or in its library folder";
    for (const std::string &dir : {folder, folder + "/" + RAVO2_COMPONENT_RELDIR}) {
        const std::string path = dir + file;
        if (folder.empty() || ::access(path.c_str(), R_OK) != 0)
            continue;
        m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (m_handle) {
            m_path = path;
            return true;
        }
        const char *text = ::dlerror();
        m_error = text ? text : path + ": cannot be loaded";
        return false;
    }
    return false;
}

void *ProgramModule::symbol(const char *name)
{
    void *address = m_handle ? ::dlsym(m_handle, name) : nullptr;
    if (!address) {
        const char *text = m_handle ? ::dlerror() : nullptr;
        m_error = text ? text : std::string(name) + ": not found";
    }
    return address;
}

} // namespace platform
