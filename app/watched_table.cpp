// Ranking without writing, and the table line of recordings.
// Depends on: watched_table.h, highscore_table.h, data_location.h, script_feed.h, record.h.
#include "app/watched_table.h"

#include "app/data_location.h"
#include "app/record.h"
#include "app/script_feed.h"

const char* const TABLE_NOT_WRITTEN_LINE = "Watched, not played: the table file is not written\n";

namespace {

bool watchedOnly = false;

void recordTableRead(const HighscoreTable& read)
{
    if (recordActive()) recordTable(reinterpret_cast<const char*>(&read), sizeof read);
}

}  // namespace

void watchTableOnly() { watchedOnly = true; }

bool tableWatchedOnly() { return watchedOnly; }

void endGameTable(int score, const char* scoreDigits, const char* name, HighscoreTable& table,
                  std::string& console)
{
    if (!watchedOnly) {
        std::string path = preparePlayerTable();
        if (recordActive()) {
            HighscoreTable read{};
            readHighscoreFile(path, read);
            recordTableRead(read);
        }
        updateHighscores(path, score, scoreDigits, name, table, console);
        return;
    }
    std::string recorded;
    if (harnessRecordedTable(recorded)) {
        table = tableFromBytes(reinterpret_cast<const uint8_t*>(recorded.data()), recorded.size());
        console += readReport((int)recorded.size(), table);
    } else {
        table = HighscoreTable{};
        int itemsRead = readHighscoreFile(playerTableToRead(), table);
        if (itemsRead >= 0) console += readReport(itemsRead, table);
        else console += FILE_NOT_OPENED_LINE;
    }
    recordTableRead(table);
    int position = rankPosition(table, score);
    if (position == NOT_RANKED) {
        console += NOT_IN_BEST_FIVE_LINE;
        return;
    }
    insertRecord(table, position, scoreDigits, name);
    console += TABLE_NOT_WRITTEN_LINE;
}
