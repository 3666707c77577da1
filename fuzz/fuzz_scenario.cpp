// Fuzz target: the headless runner's scenario parser.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<ScenarioCommand> commands;
    std::string error;
    Scenario_parse(std::string(reinterpret_cast<const char*>(data), size), &commands, &error);
    return 0;
}
