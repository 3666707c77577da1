// The save snapshot.
#pragma once

// Takes a save point: refills the snapshot record from the live state.
void Save_point();
