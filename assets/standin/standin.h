// The game's own built-in asset set, served as resources by name.
#pragma once

// Installs the resource provider that answers every asset name of the game.
void installStandinAssets();
