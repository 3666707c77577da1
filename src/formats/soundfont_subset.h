// A soundfont cut down to the instruments of some programs, so the synthesiser builds (and keeps
// in memory) only what a piece can select rather than every instrument of a General MIDI set.
//
// The cut keeps the file's layout up to its preset data, where the sample data lies, and replaces
// the preset data: the presets of the chosen program numbers in every bank, with the instruments
// they use, indices renumbered. Sample headers stay whole, so sample positions are unchanged.
#pragma once

#include <bitset>
#include <cstdint>
#include <cstdio>
#include <string>

// A soundfont file's preset data.
struct Soundfont {
    uint64_t preset_data_at = 0; // where the 'pdta' list starts: it ends the file
    // The raw chunks phdr pbag pmod pgen inst ibag imod igen shdr, in this order.
    std::string chunks[9];
};

// Reads the preset data of the soundfont `file`. False if it is no soundfont, or one whose preset
// data does not follow its sample data (such a file is not cut).
bool Soundfont_read(FILE* file, Soundfont* font);

// The 'pdta' list (its header included) with the presets whose program number is in `programs`
// and the instruments they use.
std::string Soundfont_subset(const Soundfont& font, const std::bitset<128>& programs);
