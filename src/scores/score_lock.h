#pragma once

#include <chrono>
#include <filesystem>

namespace vermo {

// Two copies of the game may share one folder. Each holds this lock for
// the few moments in which it reads the table afresh and writes it, so
// that neither writes over a result the other has just recorded, and
// neither clears away the other's temporary file. The lock is a flock on
// the file "topten.dll.lock" beside the table (beside the table a link
// points to); the lock file stays in place.
class ScoreFileLock {
public:
    // Waits up to `patience` for another copy to finish. When the lock
    // cannot be had (a folder the game cannot write to, a copy that holds
    // it too long) held() is false and the caller goes on without it.
    explicit ScoreFileLock(const std::filesystem::path& scoreFile,
                           std::chrono::milliseconds patience = std::chrono::seconds(3));
    ~ScoreFileLock();
    ScoreFileLock(const ScoreFileLock&) = delete;
    ScoreFileLock& operator=(const ScoreFileLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

inline constexpr const char* scoreLockSuffix = ".lock";

}  // namespace vermo
