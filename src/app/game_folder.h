// Which folder a window run plays when the command line names none.
#pragma once

#include <string>

// "." when the current folder holds a game (a txt/config.txt, names matched without regard to
// case), else the shipped demo game (started from the desktop's menu the current folder is the home
// folder), else "." all the same, which then reports its missing first script.
std::string Game_folder_to_play();
