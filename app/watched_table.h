// The end of a game that is watched, not played: the demo and every replay rank their score in
// the table and show it, but never write the player's file. A recorded game also writes down
// the table it ranked in, so that its replay shows the same table on any machine.
// Depends on: highscore_table.h (the table and its ranking), data_location.h (the player's
// table, read only), script_feed.h (the recorded table), record.h (the table line).
#pragma once
#include "app/highscore_table.h"

#include <string>

extern const char* const TABLE_NOT_WRITTEN_LINE;  // the console line of a watched game

// Set at start-up for the demo and for replays.
void watchTableOnly();
bool tableWatchedOnly();

// The end of the game: ranks the score and leaves the table to show in table, with the
// console lines appended to console. A played game goes through updateHighscores (and, when
// recorded, first writes down the table it read); a watched one ranks in the recorded table,
// or else in the player's, and writes no file.
void endGameTable(int score, const char* scoreDigits, const char* name, HighscoreTable& table,
                  std::string& console);
