#include "core/game_stat.h"

#include <cstring>

#include "core/save_stat.h"

GameStat Game_stat;

void Game_stat_reset() {
    std::memset(&Game_stat, 0, sizeof Game_stat);
}

void Game_stat_save(SaveStat* record) {
    record->Game_stat = Game_stat;
}

void Game_stat_restore(const SaveStat& record) {
    Game_stat = record.Game_stat;
}
