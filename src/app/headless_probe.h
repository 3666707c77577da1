// What the headless runner may ask of the engine: scenario conditions and where autoplay clicks.
#pragma once

#include "platform/headless/headless.h"

// The probe for Headless_set_probe.
HeadlessProbe Headless_probe();
