#include "assets/standin/standin.h"

// Placeholder until the set is generated.
void installStandinAssets() {}
