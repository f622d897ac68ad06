// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a high-score file: the reader either fails and leaves the
// table alone, or yields ten entries that sort into order and that the
// writer turns into records which read back the same.

#include "scores/score_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vermo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const ScoreTable before = ScoreTable::defaults();
    ScoreTable table = before;
    if (!parseScores(table, bytes)) {
        require(table == before);
        return 0;
    }
    for (std::size_t i = 1; i <= 10; ++i)
        require(table.names[i].size() <= size);

    SortScores(table);
    for (std::size_t i = 1; i < 10; ++i)
        require(table.scores[i] <= table.scores[i + 1]);

    const std::string written = formatScores(table);
    ScoreTable back;
    require(parseScores(back, written));
    for (std::size_t i = 1; i <= 10; ++i) {
        require(back.names[i] == storedName(table.names[i]));
        require(back.scores[i] == table.scores[i]);
    }
    require(formatScores(back) == written);
    return 0;
}
