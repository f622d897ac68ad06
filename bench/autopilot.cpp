// SPDX-License-Identifier: GPL-3.0-or-later
#include "autopilot.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "game/vermo_game.h"

namespace vermo::bench {

namespace {

struct Move {
    int key, dx, dy;
};
constexpr std::array<Move, 4> moves{{{keys::Right, 1, 0}, {keys::Down, 0, 1},
                                     {keys::Left, -1, 0}, {keys::Up, 0, -1}}};

int cellOf(float coordinate) { return static_cast<int>(std::lround(coordinate / cellStep)); }

int currentKey(const FormState& s)
{
    if (s.movingRight)
        return keys::Right;
    if (s.movingLeft)
        return keys::Left;
    if (s.movingDown)
        return keys::Down;
    if (s.movingUp)
        return keys::Up;
    return 0;
}

int reverseOf(int key)
{
    switch (key) {
    case keys::Right: return keys::Left;
    case keys::Left: return keys::Right;
    case keys::Up: return keys::Down;
    case keys::Down: return keys::Up;
    default: return 0;
    }
}

// Cells 1..23 inside a frame of wall cells.
class Board {
public:
    static constexpr int size = gridCells + 2;

    explicit Board(const FormState& s)
    {
        for (int c = 0; c < size; ++c)
            for (int r = 0; r < size; ++r)
                blocked_[c][r] = c == 0 || r == 0 || c == size - 1 || r == size - 1;
        // The tail's cell is left free: the tail moves on with the next
        // step (unless a berry grows the worm, which the next choice sees).
        const int last = s.vermo.highest();
        for (int i = 0; i <= last; ++i)
            if (i < last || last == 0)
                block(cellOf(s.vermo(i).Left), cellOf(s.vermo(i).Top));
        for (const Image& item : s.poison.elements())
            if (item.Visible)
                block(cellOf(item.Left), cellOf(item.Top));
    }

    bool isBlocked(int c, int r) const
    {
        return c < 0 || r < 0 || c >= size || r >= size || blocked_[c][r];
    }

    // Steps from (c, r) to every free cell, going round what is blocked;
    // -1 where it cannot get. The starting cell counts as free.
    std::array<std::array<int, size>, size> stepsFrom(int c, int r) const
    {
        std::array<std::array<int, size>, size> steps;
        for (auto& column : steps)
            column.fill(-1);
        std::vector<std::pair<int, int>> queue{{c, r}};
        steps[c][r] = 0;
        for (std::size_t next = 0; next < queue.size(); ++next) {
            const auto [qc, qr] = queue[next];
            for (const Move& m : moves) {
                const int nc = qc + m.dx, nr = qr + m.dy;
                if (!isBlocked(nc, nr) && steps[nc][nr] < 0) {
                    steps[nc][nr] = steps[qc][qr] + 1;
                    queue.emplace_back(nc, nr);
                }
            }
        }
        return steps;
    }

    // Free cells reachable from (c, r), counted up to `enough`.
    int room(int c, int r, int enough) const
    {
        std::array<std::array<bool, size>, size> seen{};
        std::vector<std::pair<int, int>> queue{{c, r}};
        seen[c][r] = true;
        for (std::size_t next = 0; next < queue.size() && static_cast<int>(queue.size()) < enough; ++next) {
            for (const Move& m : moves) {
                const int nc = queue[next].first + m.dx, nr = queue[next].second + m.dy;
                if (!isBlocked(nc, nr) && !seen[nc][nr]) {
                    seen[nc][nr] = true;
                    queue.emplace_back(nc, nr);
                }
            }
        }
        return static_cast<int>(queue.size());
    }

private:
    void block(int c, int r)
    {
        if (c >= 0 && r >= 0 && c < size && r < size)
            blocked_[c][r] = true;
    }

    std::array<std::array<bool, size>, size> blocked_{};
};

}  // namespace

int ringKey(const FormState& s)
{
    constexpr int low = 11, high = 14;
    const int c = cellOf(s.vermo(0).Left), r = cellOf(s.vermo(0).Top);
    int wanted = 0;
    if (r == low && c >= low && c < high)
        wanted = keys::Right;
    else if (c == high && r >= low && r < high)
        wanted = keys::Down;
    else if (r == high && c > low && c <= high)
        wanted = keys::Left;
    else if (c == low && r > low && r <= high)
        wanted = keys::Up;
    return wanted != currentKey(s) ? wanted : 0;
}

int greedyKey(const FormState& s)
{
    const Board board(s);
    const int c = cellOf(s.vermo(0).Left), r = cellOf(s.vermo(0).Top);
    const int berryC = cellOf(s.berry.Left), berryR = cellOf(s.berry.Top);
    const int current = currentKey(s);
    const int length = s.vermo.highest() + 1;
    // The way to the berry round the body and the poison, not as the crow
    // flies: a berry behind a row of poison would otherwise hold the head
    // in front of that row for ever.
    const bool berryOnBoard = berryC >= 1 && berryC <= gridCells && berryR >= 1 && berryR <= gridCells;
    const auto toBerry = berryOnBoard ? board.stepsFrom(berryC, berryR)
                                      : std::array<std::array<int, Board::size>, Board::size>{};

    int bestKey = 0;
    long bestScore = -1;
    for (const Move& m : moves) {
        if (current != 0 && m.key == reverseOf(current))
            continue;
        const int nc = c + m.dx, nr = r + m.dy;
        if (board.isBlocked(nc, nr))
            continue;
        // Room first (a move into a pocket smaller than the worm is the
        // last resort), then the way to the berry, then going straight on.
        const int room = board.room(nc, nr, length + 2);
        const int steps = berryOnBoard ? toBerry[nc][nr] : -1;
        const int distance = steps >= 0 ? steps : 999;
        const long score = static_cast<long>(std::min(room, length + 2)) * 10000 +
                           (1000 - distance) * 10 + (m.key == current ? 1 : 0);
        if (score > bestScore) {
            bestScore = score;
            bestKey = m.key;
        }
    }
    return bestKey != 0 && bestKey != current ? bestKey : 0;
}

}  // namespace vermo::bench
