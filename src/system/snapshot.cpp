#include "system/snapshot.h"

// The snapshot record arrives with saving and loading.
void Save_point() {}
