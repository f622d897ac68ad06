#include "scores/score_file.h"

#include "platform/file_descriptor.h"
#include "platform/plain_file.h"
#include "platform/text_fields.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vermo {

namespace {

constexpr std::string_view tempSuffix = ".tmp";
constexpr std::size_t tempRandomChars = 6;
constexpr std::string_view tempAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;  // a full disk, a file-size limit, an I/O error
        }
        if (written == 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::filesystem::path folderOf(const std::filesystem::path& file)
{
    const auto folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Six letters and digits that differ between calls and between processes;
// the exclusive create below settles any clash.
std::string randomTag()
{
    static std::uint64_t counter = 0;
    std::uint64_t state = static_cast<std::uint64_t>(
                              std::chrono::steady_clock::now().time_since_epoch().count())
                          ^ (static_cast<std::uint64_t>(::getpid()) << 32) ^ (++counter * 0x9E3779B97F4A7C15ull);
    std::string tag;
    for (std::size_t i = 0; i < tempRandomChars; ++i) {
        // splitmix64 step
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        tag += tempAlphabet[z % tempAlphabet.size()];
    }
    return tag;
}

// Creates a fresh temporary file beside `file`; the mode 0666 lets the
// user's umask decide, as for any new file.
std::optional<std::filesystem::path> createTempFile(const std::filesystem::path& file, int& fdOut)
{
    const auto folder = folderOf(file);
    const std::string base = file.filename().string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = folder / (base + "." + randomTag() + std::string(tempSuffix));
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fdOut = fd;
            return candidate;
        }
        if (errno != EEXIST && errno != EINTR)
            return std::nullopt;
    }
    return std::nullopt;
}

// After the rename, the folder entry itself must reach the disk too.
void syncFolder(const std::filesystem::path& folder)
{
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if ((length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000)
            || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

}  // namespace

ScoreTable ScoreTable::defaults()
{
    ScoreTable table;
    for (std::size_t i = 1; i <= 10; ++i) {
        table.names[i] = "Computer";
        table.scores[i] = 0;
    }
    return table;
}

bool ParseScores(ScoreTable& table, std::string_view bytes)
{
    FieldReader reader(bytes);
    ScoreTable read = table;
    for (std::size_t i = 1; i <= 10; ++i) {
        auto name = reader.readText();
        if (!name)
            return false;
        const auto score = reader.readNumber();
        if (!score)
            return false;
        read.names[i] = std::move(*name);
        read.scores[i] = *score;
    }
    table = std::move(read);
    return true;
}

bool ReadScores(ScoreTable& table, const std::filesystem::path& file)
{
    const auto bytes = ReadPlainFile(file, maxScoreFileBytes);
    return bytes && ParseScores(table, *bytes);
}

void SortScores(ScoreTable& table)
{
    for (int pass = 0; pass < 9; ++pass) {
        for (std::size_t i = 1; i <= 9; ++i) {
            if (table.scores[i] > table.scores[i + 1]) {
                std::swap(table.scores[i], table.scores[i + 1]);
                std::swap(table.names[i], table.names[i + 1]);
            }
        }
    }
}

std::string FormatScores(const ScoreTable& table)
{
    std::string bytes;
    for (std::size_t i = 1; i <= 10; ++i) {
        bytes += '"';
        bytes += StoredName(table.names[i]);
        bytes += "\",";
        bytes += std::to_string(table.scores[i]);
        bytes += "\r\n";
    }
    return bytes;
}

std::filesystem::path ScoreFileTarget(const std::filesystem::path& file)
{
    std::filesystem::path target = file;
    // A chain of links, but not an endless one.
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error)))
            break;
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error)
            return file;
        target = next.is_absolute() ? next : folderOf(target) / next;
    }
    if (target == file)
        return file;
    // Only a link to a plain file, or to a file not made yet, is followed:
    // a link to a device or a folder is replaced, as any other file in the
    // table's place would be.
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    if (std::filesystem::is_regular_file(status))
        return target;
    if (status.type() == std::filesystem::file_type::not_found
        && std::filesystem::is_directory(folderOf(target), error))
        return target;
    return file;
}

bool WriteScores(const ScoreTable& table, const std::filesystem::path& link)
{
    // A table kept elsewhere through a link stays there, and the link stays.
    const std::filesystem::path file = ScoreFileTarget(link);
    const std::string bytes = FormatScores(table);
    int rawFd = -1;
    const auto tempPath = createTempFile(file, rawFd);
    if (!tempPath)
        return false;
    FileDescriptor fd(rawFd);

    // The new file keeps the permissions the old one had.
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd.get(), old.st_mode & 0777);

    const bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    const bool closed = fd.close();
    if (!written || !closed || std::rename(tempPath->c_str(), file.c_str()) != 0) {
        ::unlink(tempPath->c_str());
        return false;
    }
    syncFolder(folderOf(file));
    return true;
}

bool IsScoreTempFileName(const std::string& fileName, const std::string& scoreFile)
{
    const std::size_t expected = scoreFile.size() + 1 + tempRandomChars + tempSuffix.size();
    if (fileName.size() != expected || fileName.compare(0, scoreFile.size(), scoreFile) != 0
        || fileName[scoreFile.size()] != '.'
        || fileName.compare(expected - tempSuffix.size(), tempSuffix.size(), tempSuffix) != 0)
        return false;
    for (std::size_t i = 0; i < tempRandomChars; ++i) {
        if (tempAlphabet.find(fileName[scoreFile.size() + 1 + i]) == std::string_view::npos)
            return false;
    }
    return true;
}

void RemoveStaleScoreFiles(const std::filesystem::path& link)
{
    // Temporary files lie beside the table a link points to.
    const std::filesystem::path file = ScoreFileTarget(link);
    const std::string base = file.filename().string();
    std::error_code error;
    std::filesystem::directory_iterator entries(folderOf(file), error);
    if (error)
        return;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const auto& entry = *entries;
        std::error_code ignored;
        // Only plain files: a link or a folder of that name is not ours.
        if (entry.symlink_status(ignored).type() != std::filesystem::file_type::regular)
            continue;
        if (IsScoreTempFileName(entry.path().filename().string(), base))
            std::filesystem::remove(entry.path(), ignored);
    }
}

namespace {
std::string cutAt(std::string name, std::size_t limit)
{
    if (name.size() <= limit)
        return name;
    std::size_t cut = limit;
    if (isValidUtf8(name)) {
        // Step back over continuation bytes so no character is split.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
    }
    name.resize(cut);
    return name;
}
}  // namespace

std::string StoredName(const std::string& name)
{
    std::string stored = name;
    for (char& c : stored)
        if (c == '"')
            c = '\'';
    return cutAt(std::move(stored), maxStoredNameBytes);
}

std::string SafeName(const std::string& typed)
{
    std::string name = typed;
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"')
            c = '\'';
        else if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return cutAt(std::move(name), maxNameBytes);
}

}  // namespace vermo
