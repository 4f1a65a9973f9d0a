#ifndef MO_ADD_PARTICLES_H
#define MO_ADD_PARTICLES_H

namespace mo {

/// Fills the world's boundary (not the view) with precipitation drifting
/// in direction (a PrecipitationDirection), as many per cell as density
/// asks, of one of three kinds (h x v being the boundary in cells):
///
///   kind  count             size (pixels)     speed (cells/step)  look
///   0     h x v / 60 x d    3 to 4.9, random  0.25                white, half opaque, altitude 4,
///   wobbling 1     h x v / 60 x d    3                 0.75                grey, half opaque,
///   altitude 4 2     h x v / 120 x d   20 / r            1 / r               white, opaque,
///   altitude 0 (behind all)
///
/// with r a random whole number from 4 to 13 per particle. 0 on success,
/// also when the count is 0 or less or the kind is none of these (nothing
/// is made). -1 (logged) for an unknown direction, before anything is
/// made, or when a particle cannot be made or cannot enter the world (the
/// particles already made stay).
int addParticles(int kind, int direction, float density);

}  // namespace mo

#endif
