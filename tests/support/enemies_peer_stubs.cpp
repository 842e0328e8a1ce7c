// Stand-ins for the weapon pools until the weapons are linked in: the hit
// pass moves and tests these records.
#include "game/weapons.h"

__attribute__((weak)) PlayerShot weaponAShots[WeaponAShotCount];
__attribute__((weak)) PlayerShot weaponBShots[WeaponBShotCount];
__attribute__((weak)) PlayerShot weaponCShots[WeaponCShotCount];
__attribute__((weak)) PlayerShot podShots[PodShotCount];
__attribute__((weak)) Missile missiles[MissileCount];
