// The four lights that move with the eye and the one material of all lit surfaces.
// Depends on: OpenGL.
#pragma once

struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
};

extern const Material sceneMaterial;

// Sets the four lights; must run while the model-view matrix is the identity.
void setupLighting();
// faces: GL_FRONT_AND_BACK or GL_FRONT.
void applySceneMaterial(unsigned int faces);
