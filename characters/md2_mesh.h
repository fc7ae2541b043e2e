// Vertex arrays for drawing a model: the corners of frame 0's faces joined into shared
// vertices wherever a vertex and its texture coordinate repeat.
// Depends on: md2_model.h.
#pragma once
#include "characters/md2_model.h"

// Fills model.drawMesh() from frame 0 once; later calls do nothing. A model without frames
// gets an empty mesh.
void buildDrawMesh(Md2Model& model);
