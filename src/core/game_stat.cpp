#include "core/game_stat.h"

#include <cstring>

GameStat Game_stat;

void Game_stat_reset() {
    std::memset(&Game_stat, 0, sizeof Game_stat);
}
