#ifndef MO_ADD_PARTICLES_H
#define MO_ADD_PARTICLES_H

namespace mo {

/// Fills the world's boundary (not the view) with precipitation drifting
/// in direction (a PrecipitationDirection), as many per cell as density
/// asks, of one of three kinds (h x v being the boundary in cells and d
/// the density):
///
///   kind 0: h x v / 60 x d flakes of 3 to 4.9 pixels (random), 0.25
///           cells a step, white, half opaque, altitude 4, wobbling;
///   kind 1: h x v / 60 x d drops of 3 pixels, 0.75 cells a step, grey,
///           half opaque, altitude 4;
///   kind 2: h x v / 120 x d flakes of 20 / r pixels, 1 / r cells a step,
///           white, opaque, altitude 0 (behind all),
///
/// with r a random whole number from 4 to 13 per particle. 0 on success,
/// also when the count is 0 or less or the kind is none of these (nothing
/// is made). -1 (logged) for an unknown direction, before anything is
/// made, or when a particle cannot be made or cannot enter the world (the
/// particles already made stay).
int addParticles(int kind, int direction, float density);

}  // namespace mo

#endif
