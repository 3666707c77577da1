#include "check/check_state.h"

CheckState Check;
std::string CheckScript;

void Check_state_reset() {
    Check = CheckState{};
    CheckScript.clear();
}
