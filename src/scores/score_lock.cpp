#include "scores/score_lock.h"

#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "scores/score_file.h"

namespace vermo {

ScoreFileLock::ScoreFileLock(const std::filesystem::path& scoreFile,
                             std::chrono::milliseconds patience)
{
    std::filesystem::path lockFile = ScoreFileTarget(scoreFile);
    lockFile += scoreLockSuffix;
    const int fd = ::open(lockFile.c_str(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (std::chrono::steady_clock::now() >= giveUp) {
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    fd_ = fd;
}

ScoreFileLock::~ScoreFileLock()
{
    if (fd_ >= 0)
        ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace vermo
