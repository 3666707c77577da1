// The `test` command: a timing benchmark of the colour-keyed pixel copy.
#pragma once

constexpr const char* TEST_MASK_PICTURE = "gdat\\mask_test_00.BMP";
constexpr const char* TEST_SAMPLE_PICTURE = "gdat\\sample_1.jpg";

// Loads TEST_MASK_PICTURE and TEST_SAMPLE_PICTURE onto two 640x480 DIB surfaces, key-copies
// the mask (key pure green) over the sample 100 times, shows the timing in a box and puts the
// result on BackBuffer. No switch, snapshot or picture name changes.
void Com_test();
