// The street as a 3DS scene: the street table's rows grouped into objects, its pictures
// turned into materials.
// Depends on: scene3ds_street.h, scene3ds.h, street_table.h, texture_table.h.
#include "world/scene3ds_street.h"

#include "world/street_table.h"
#include "world/texture_table.h"

#include <string>

// ---- Constants -------------------------------------------------------------------------

// The groups of the street table, in its order, each starting at its first row.
const StreetGroup streetGroups[STREET_GROUP_COUNT] = {
    {"Ground",     0},
    {"SkyBox",     1},
    {"Columns",    6},    // along the street
    {"Pillars",    70},   // under the second building
    {"MoreColumn", 90},   // along the ground-floor block, under the arcade's end, in the street
    {"Arcade",     130},
    {"LowBlocks",  143},  // closed ground-floor blocks under the arcade
    {"Bridge",     151},
    {"Building2",  160},
    {"PizzaStand", 169},
    {"Stand2",     190},
    {"RailsRoad",  211},
    {"RoadBlock",  213},  // the block across the road
    {"FarFacade",  217},
    {"SignBoard",  218},
};

namespace {

const Scene3dsColour STREET_AMBIENT = {true, 0.2f, 0.2f, 0.2f};
// The street is lit to full white, so its pictures show as they are.
const Scene3dsColour STREET_DIFFUSE = {true, 1.0f, 1.0f, 1.0f};
const Scene3dsColour STREET_SPECULAR = {true, 0.0f, 0.0f, 0.0f};
// The quad's outline shows in other tools; the diagonal that splits it does not.
const uint16_t FIRST_TRIANGLE_EDGES = FACE3DS_EDGE_AB | FACE3DS_EDGE_BC;
const uint16_t SECOND_TRIANGLE_EDGES = FACE3DS_EDGE_BC | FACE3DS_EDGE_CA;

// "textures/floor03.bmp" -> "floor03"
std::string pictureName(const char* path)
{
    std::string name(path);
    size_t slash = name.rfind('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

// The material of a slot, made on its first use.
int materialForSlot(Scene3ds& scene, int slot, int* slotMaterial)
{
    if (slotMaterial[slot] >= 0) return slotMaterial[slot];
    const char* path = texturePathForSlot(slot);
    Scene3dsMaterial m;
    m.name = path ? pictureName(path) : "slot" + std::to_string(slot);
    m.ambient = STREET_AMBIENT;
    m.diffuse = STREET_DIFFUSE;
    m.specular = STREET_SPECULAR;
    m.textureFile = path ? path : "";
    scene.materials.push_back(m);
    slotMaterial[slot] = (int)scene.materials.size() - 1;
    return slotMaterial[slot];
}

void addQuad(Scene3dsMesh& mesh, const StreetQuad& q, const std::string& material)
{
    uint16_t first = (uint16_t)mesh.vertices.size();
    for (const Vector3* c : {&q.c0, &q.c1, &q.c2, &q.c3})
        mesh.vertices.push_back(streetToScenePoint(*c));
    mesh.mapping.push_back(Scene3dsMapping{0.0f, 0.0f});
    mesh.mapping.push_back(Scene3dsMapping{q.sRepeat, 0.0f});
    mesh.mapping.push_back(Scene3dsMapping{q.sRepeat, q.tRepeat});
    mesh.mapping.push_back(Scene3dsMapping{0.0f, q.tRepeat});

    uint16_t face = (uint16_t)mesh.faces.size();
    mesh.faces.push_back(Scene3dsFace{first, (uint16_t)(first + 1), (uint16_t)(first + 2),
                                      FIRST_TRIANGLE_EDGES});
    mesh.faces.push_back(Scene3dsFace{first, (uint16_t)(first + 2), (uint16_t)(first + 3),
                                      SECOND_TRIANGLE_EDGES});
    Scene3dsFaceGroup* group = nullptr;
    for (Scene3dsFaceGroup& g : mesh.faceGroups)
        if (g.material == material) group = &g;
    if (!group) {
        mesh.faceGroups.push_back(Scene3dsFaceGroup{material, {}});
        group = &mesh.faceGroups.back();
    }
    group->faces.push_back(face);
    group->faces.push_back((uint16_t)(face + 1));
}

}  // namespace

// ---- Public functions ------------------------------------------------------------------

Vector3 streetToScenePoint(const Vector3& p) { return Vector3(p.x, -p.z, p.y); }

Vector3 sceneToStreetPoint(const Vector3& p) { return Vector3(p.x, p.z, -p.y); }

Scene3ds streetAsScene3ds()
{
    Scene3ds scene;
    int slotMaterial[TEXTURE_SLOT_COUNT];
    for (int& m : slotMaterial) m = -1;
    for (int g = 0; g < STREET_GROUP_COUNT; ++g) {
        int end = g + 1 < STREET_GROUP_COUNT ? streetGroups[g + 1].firstRow : STREET_QUAD_COUNT;
        Scene3dsObject object{};
        object.name = streetGroups[g].name;
        object.hasMesh = true;
        Scene3dsMesh& mesh = object.mesh;
        mesh.hasLocalAxes = true;
        const float identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
        for (int k = 0; k < 12; ++k) mesh.localAxes[k] = identity[k];
        for (int row = streetGroups[g].firstRow; row < end; ++row) {
            const StreetQuad& q = streetTable[row];
            int material = materialForSlot(scene, q.slot, slotMaterial);
            addQuad(mesh, q, scene.materials[(size_t)material].name);
        }
        scene.objects.push_back(std::move(object));
    }
    return scene;
}
