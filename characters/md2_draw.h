// Draws MD2 models in GL: the two keyframes of a pose blended vertex by vertex.
// Depends on: md2_animation.h, md2_mesh.h, the platform clock, OpenGL.
#pragma once
#include "characters/md2_animation.h"

// How a blended pose reaches GL; both draw the same triangles with the same texture
// coordinates and no normals.
enum class ModelDrawPath {
    SharedVertexArrays,  // corners joined into shared vertices, one glDrawElements
    Immediate,           // one glTexCoord2f and one glVertex3f per corner
};
extern ModelDrawPath modelDrawPath;
// Environment variable that picks the path at start-up: "immediate" or unset.
const char* const MODEL_DRAW_PATH_VARIABLE = "KERB_MODEL_DRAW";

// Advances the model's frame clock and draws it inside the caller's transform and texture.
// A model without frames makes no GL call and keeps its clock.
void drawModel(Md2Model& model);
// Draws a pose that advanceModel has already chosen. Leaves GL_FRONT as the culled face.
void drawModelPose(Md2Model& model, const ModelPose& pose);
