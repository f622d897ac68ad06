#include "platform/plain_file.h"

#include "platform/file_descriptor.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vermo {

std::optional<std::string> ReadPlainFile(const std::filesystem::path& file, std::size_t limit)
{
    // Non-blocking: opening a named pipe for reading would otherwise wait
    // for a writer. The plain-file check below then refuses it.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid())
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;

    // Sized by what the file holds now, so a small file costs a few hundred
    // bytes, not the whole bound; a file that grows meanwhile is still read
    // no further than the bound.
    constexpr std::size_t chunk = 64 * 1024;
    std::string bytes;
    std::size_t filled = 0;
    bytes.resize(std::min<std::size_t>(limit, static_cast<std::size_t>(info.st_size) + 1));
    while (filled < limit) {
        if (filled == bytes.size())
            bytes.resize(std::min(limit, bytes.size() + chunk));
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace vermo
