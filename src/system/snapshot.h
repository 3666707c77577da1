// The save snapshot.
#pragma once

// Refills the snapshot record from the live state (the procedure behind every save point).
void Snapshot_take();
