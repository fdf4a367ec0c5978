#include "TamoUtils.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Tamo {

std::string ExecutablePath()
{
#ifdef _WIN32
    std::wstring buffer(32768, L'\0');
    const DWORD len = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.resize(len);
    return std::filesystem::path(buffer).string();
#else
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
#endif
}

std::string ExecutableFolder()
{
    const std::filesystem::path exe(ExecutablePath());
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != static_cast<char>(std::filesystem::path::preferred_separator))
        folder += static_cast<char>(std::filesystem::path::preferred_separator);
    return folder;
}

} // namespace Tamo
