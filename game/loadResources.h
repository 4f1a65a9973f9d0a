#ifndef GH_LOAD_RESOURCES_H
#define GH_LOAD_RESOURCES_H

namespace gh {

/// Loads every sprite, the music and every sound of the game from paths
/// relative to the working directory. A file that fails is logged by the
/// ResourceManager and the rest are still loaded.
void loadResources();

}  // namespace gh

#endif
