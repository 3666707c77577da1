#include "system/snapshot.h"

// The snapshot record arrives with saving and loading.
void Snapshot_take() {}
