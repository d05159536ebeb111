// Auto capture with the game's second box: films of both boxes through both watches and the check.
#include <gtest/gtest.h>

#include "../game_box.h"
#include "recognition/move_check.h" // and the pair watch

// The record as letters, upper then lower: "rg", "by+" (seen ahead), "rr?by" (doubted; by shown).
static std::string Letters(const std::vector<RecordedMove> &record) {
    const std::string letters = "-rgbyp";
    std::string text;
    for (const RecordedMove &move : record) {
        text += std::string(text.empty() ? "" : " ") + letters[move.upper] + letters[move.lower];
        if (move.mark == MarkSeenAhead)
            text += "+";
        if (move.mark == MarkDoubt)
            text += std::string("?") + letters[move.second.upper] + letters[move.second.lower];
    }
    return text;
}

// The film on navy, a sample a tick (slow: a scroll's frame twice, as a game's outlasts a sample),
// settling after 4: with the second box, or the next alone; press: auto off, a press each step.
static std::string Play(const std::string &steps, bool second, bool press, bool slow) {
    PairWatch watches[2];
    MoveCheck check;
    std::vector<RecordedMove> moves;
    uint32_t boxes[2][50 * 100];
    std::vector<std::vector<BoxFrame>> film;
    for (const std::vector<BoxFrame> &frame : PlayGame("----01 " + steps, skin))
        film.insert(film.end(), 1 + (slow && (frame[0].down || frame[1].down)), frame);
    for (const std::vector<BoxFrame> &frame : film) {
        bool settled[2];
        PairSighting seen[2];
        for (int box = 0; box < 2; ++box) {
            PaintBox(boxes[box], frame[box].blobs, frame[box].count, frame[box].down, 100,
                     0x182868);
            seen[box] = SightPair(boxes[box], 50, 100);
            settled[box] = WatchPair(watches[box], seen[box], 4);
        }
        std::vector<RecordedMove> now; // the moves this frame brings
        if (second)
            now = CheckMoves(check, watches[0], settled[0], seen[0].empty, watches[1], settled[1]);
        else if (settled[0])
            now.push_back(RecordedMove{watches[0].settledPair});
        if (!press)
            moves.insert(moves.end(), now.begin(), now.end());
        else if (frame[0].stepEnds && seen[0].clear)
            moves.push_back(second ? PressedMove(check, seen[0].pair) : RecordedMove{seen[0].pair});
    }
    return Letters(moves);
}

// Rows: a name, the game (PlayedGame's holds a move of each kind), the record with the second box
// read, and without it.
TEST(MoveCheck, EveryPairInOrderQuickDropsSeenAheadDoubtsMarked) {
    settings.hues = skinHues; // the film's skin
    struct Row {
        std::string name, steps, marked, plain;
        bool press, slow;
    };
    Row game = {"a game of 40 pairs", "", "", "", false, false};
    PlayedGame(game.steps, game.marked, game.plain);
    const Row rows[] = {
        {"nothing read before", "rg--38 by--38", "rg by", "rg by", false, false},
        {"the count started again", "rgby38 ----020 rryp38", "rg rr", "rg rr", false, false},
        {"a change in the second box only", "rgby38 ==yp38 ypgg38", "rg yp", "rg yp", false, false},
        {"presses, no auto capture", "rgby38 byyp38 rrgg38", "rg by rr?yp", "rg by rr", true,
         false},
        game,
        {game.name + ", each frame of a scroll seen twice", game.steps, game.marked, game.plain,
         false, true}};
    for (const Row &row : rows) {
        EXPECT_EQ(Play(row.steps, true, row.press, row.slow), row.marked) << row.name;
        EXPECT_EQ(Play(row.steps, false, row.press, row.slow), row.plain) << row.name;
    }
    settings = defaultSettings;
}
