// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/score_file.h"

#include "platform/utf8.h"

#include "platform/folder.h"
#include "platform/text_fields.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vermo {

namespace {

const std::string tempSuffix = ".tmp";
// Temporary files from interrupted writes are only ever a few. A folder
// that others fill with names costs a start-up no more than this many
// names looked at and leftovers removed; the rest waits for a later start.
constexpr std::size_t maxNamesLooked = 10000;
constexpr int maxLeftoversRemoved = 1000;

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

ScoreTable ScoreTable::defaults()
{
    ScoreTable table;
    for (std::size_t i = 1; i <= 10; ++i)
        table.names[i] = "Computer";
    return table;
}

bool parseScores(ScoreTable& table, std::string_view bytes)
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

bool isScoreTable(std::string_view bytes)
{
    FieldReader reader(bytes);
    for (int record = 1; record <= 10; ++record) {
        if (!reader.readText() || !reader.lastTextWasQuoted() || !reader.readNumber())
            return false;
    }
    return true;
}

TableRead ReadScores(ScoreTable& table, const TablePlace& place)
{
    if (place.linkLeftAlone())
        return {TableRead::State::LinkLeftAlone, 0};
    const FileRead file = place.folder.read(place.name, maxScoreFileBytes);
    switch (file.state) {
    case FileRead::State::Read:
        if (parseScores(table, file.bytes))
            return {TableRead::State::Read, 0};
        return {TableRead::State::Damaged, 0};
    case FileRead::State::Missing:
        return {TableRead::State::Missing, file.error};
    case FileRead::State::NotPlain:
    case FileRead::State::Link:
        return {TableRead::State::Damaged, file.error};
    case FileRead::State::Unreadable:
        break;
    }
    return {TableRead::State::Unreadable, file.error};
}

TableRead readSortedTable(ScoreTable& table, const TablePlace& place)
{
    const TableRead read = ReadScores(table, place);
    if (read.read())
        SortScores(table);
    return read;
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

std::string formatScores(const ScoreTable& table)
{
    std::string bytes;
    for (std::size_t i = 1; i <= 10; ++i) {
        bytes += '"';
        bytes += storedName(table.names[i]);
        bytes += "\",";
        bytes += std::to_string(table.scores[i]);
        bytes += "\r\n";
    }
    return bytes;
}

Replacement WriteScores(const ScoreTable& table, const TablePlace& place)
{
    if (place.linkLeftAlone())
        return {};
    return place.folder.replace(place.name, formatScores(table), 0666, place.name, tempSuffix);
}

void removeStaleScoreFiles(const TablePlace& place)
{
    int removed = 0;
    for (const std::string& name : place.folder.names(maxNamesLooked)) {
        if (removed == maxLeftoversRemoved)
            return;
        // A copy that is still running may still be filling its file.
        const auto process = uniqueFileNameProcess(name, place.name, tempSuffix);
        if (!process || ::kill(static_cast<pid_t>(*process), 0) == 0 || errno == EPERM)
            continue;
        // Only plain files: a link or a folder of that name is not ours.
        const auto entry = place.folder.entryInfo(name);
        if (entry && S_ISREG(entry->st_mode) && place.folder.remove(name) == 0)
            ++removed;
    }
}

std::string storedName(const std::string& name)
{
    std::string stored = name;
    std::replace(stored.begin(), stored.end(), '"', '\'');
    return cutAt(std::move(stored), maxStoredNameBytes);
}

std::string safeName(const std::string& typed)
{
    std::string name = typed;
    std::replace(name.begin(), name.end(), '"', '\'');
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }, ' ');
    return cutAt(std::move(name), maxNameBytes);
}

}  // namespace vermo
