// Draws what the 3DS reader read: triangles lit by per-face normals, each in its
// material's diffuse colour and, where the material maps a picture the game reads, textured.
// Depends on: world/scene3ds.h, world/bmp_image.h, OpenGL/GLU.
#pragma once
#include "world/scene3ds.h"

#include <string>
#include <vector>

// ---- Constants -------------------------------------------------------------------------

// Faces without a material, or whose material gives no diffuse colour.
const float SCENE3DS_DEFAULT_GREY = 0.7f;

// ---- Types -----------------------------------------------------------------------------

// One GL texture name per material of the scene, 0 where it has none.
struct Scene3dsTextures {
    std::vector<unsigned int> names;
};

// ---- Functions -------------------------------------------------------------------------

// Reads and uploads each material's picture, looking for it as textureFileCandidates says.
// A map that names no BMP, or a picture that is missing or refused, leaves that material
// untextured and adds a line saying why to *problems. Needs a current GL context.
Scene3dsTextures loadScene3dsTextures(const Scene3ds& scene, const std::vector<std::string>& dirs,
                                      std::vector<std::string>* problems);
void releaseScene3dsTextures(Scene3dsTextures& textures);

// Draws every mesh in the caller's transform, GL state restored afterwards. Faces are seen
// from the side where they run counter-clockwise.
void drawScene3ds(const Scene3ds& scene, const Scene3dsTextures& textures);
