// Blended keyframes to GL. The models carry no normals: every vertex takes the current one.
// Depends on: md2_draw.h, md2_mesh.h, the platform clock, OpenGL.
#include "characters/md2_draw.h"

#include "characters/md2_mesh.h"
#include "platform/clock.h"

#include <GL/gl.h>

ModelDrawPath modelDrawPath = ModelDrawPath::SharedVertexArrays;

namespace {

void drawImmediate(const Md2Model& model, const ModelPose& pose)
{
    const Md2Frame& f0 = model.frames[0];
    const Md2Frame& f1 = model.frames[pose.fromFrame];
    const Md2Frame& f2 = model.frames[pose.toFrame];
    bool textured = !f0.texCoords.empty();
    float t = pose.t;
    glBegin(GL_TRIANGLES);
    for (const Md2Face& face : f0.faces) {
        for (int j = 0; j < 3; ++j) {
            int32_t vi = face.vertexIndex[j];
            if (textured) {
                const TexCoord& tc = f0.texCoords[face.texCoordIndex[j]];
                glTexCoord2f(tc.u, tc.v);
            }
            const Vector3& vPoint1 = f1.vertices[vi];
            const Vector3& vPoint2 = f2.vertices[vi];
            glVertex3f(vPoint1.x + t * (vPoint2.x - vPoint1.x),
                       vPoint1.y + t * (vPoint2.y - vPoint1.y),
                       vPoint1.z + t * (vPoint2.z - vPoint1.z));
        }
    }
    glEnd();
}

void drawSharedVertices(Md2Model& model, const ModelPose& pose)
{
    Md2DrawMesh& mesh = model.drawMesh();
    if (mesh.indices.empty()) return;
    interpolatePose(model, pose, mesh.cornerVertex.data(), mesh.cornerVertex.size(),
                    mesh.positions.data());
    // The start-up state enables the normal array; the models send no normals, so it is
    // off while they draw and every vertex takes the current normal.
    GLboolean normalArray = glIsEnabled(GL_NORMAL_ARRAY);
    GLboolean texCoordArray = glIsEnabled(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, mesh.texCoords.data());
    glDrawElements(GL_TRIANGLES, (GLsizei)mesh.indices.size(), GL_UNSIGNED_SHORT,
                   mesh.indices.data());
    glDisableClientState(GL_VERTEX_ARRAY);
    if (!texCoordArray) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (normalArray) glEnableClientState(GL_NORMAL_ARRAY);
}

}  // namespace

void drawModelPose(Md2Model& model, const ModelPose& pose)
{
    if (!pose.drawn) return;
    glCullFace(GL_FRONT);
    buildDrawMesh(model);
    if (modelDrawPath == ModelDrawPath::Immediate || model.drawMesh().tooLarge)
        drawImmediate(model, pose);
    else
        drawSharedVertices(model, pose);
}

void drawModel(Md2Model& model)
{
    ModelPose pose = advanceModel(model, clockMilliseconds());
    drawModelPose(model, pose);
}
