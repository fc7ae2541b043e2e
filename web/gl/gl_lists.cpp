// Display lists: state calls recorded in order and run again in order; the geometry of their
// glBegin/glEnd pairs taken apart into triangles (or lines, points) at compile time and kept
// in one WebGL buffer per list, so that glCallList draws it without sending it again.
// Attributes the list never set take the current values when it runs, as GL wants.
// Depends on: gl_lists.h, gl_state.h, gl_draw.h.
#include "web/gl/gl_lists.h"

#include <cstring>
#include <map>

namespace {

const int MAX_LIST_NESTING = 64;

struct ListOp {
    enum class Kind { Call, Draw, SetCurrent };
    ListOp(Kind k, std::function<void()> f = nullptr) : kind(k), call(std::move(f)) {}
    Kind kind;
    std::function<void()> call;
    PrimitiveKind primitive = PrimitiveKind::Triangles;
    int first = 0, count = 0, carries = 0;
    VertexAttributes values;
};

struct DisplayList {
    std::vector<ListOp> ops;
    unsigned int buffer = 0;
    std::vector<GeometryVertex> geometry;  // what the buffer holds, for clipping on the CPU
};

std::map<GLuint, DisplayList> lists;
GLuint highestName = 0;

// The list being compiled.
GLuint compilingName = 0;
GLenum compileMode = GL_COMPILE;
DisplayList building;
std::vector<GeometryVertex> buildingGeometry;
VertexAttributes compileAttributes;
int definedAttributes = 0;
bool attributesPending = false;  // set in the list and not yet made current by an op
int runDepth = 0;
std::vector<uint32_t> listCorners;

// The attributes the list set become current before anything that could read them.
void recordPendingAttributes()
{
    if (!attributesPending) return;
    ListOp op(ListOp::Kind::SetCurrent);
    op.values = compileAttributes;
    op.carries = definedAttributes;
    building.ops.push_back(op);
    attributesPending = false;
}

void setCurrent(const ListOp& op)
{
    VertexAttributes& c = gl.s.current;
    if (op.carries & CARRIES_NORMAL) std::memcpy(c.normal, op.values.normal, sizeof c.normal);
    if (op.carries & CARRIES_TEXCOORD) std::memcpy(c.texCoord, op.values.texCoord, sizeof c.texCoord);
    if (op.carries & CARRIES_COLOR) {
        std::memcpy(c.color, op.values.color, sizeof c.color);
        trackCurrentColorMaterial();
    }
}

void runList(const DisplayList& list)
{
    for (const ListOp& op : list.ops) {
        switch (op.kind) {
        case ListOp::Kind::Call:
            op.call();
            break;
        case ListOp::Kind::Draw:
            flushBitmaps();
            if (op.primitive == PrimitiveKind::Triangles)
                drawTrianglesClippingNear(list.buffer, list.geometry.data(), op.first, op.count, op.carries);
            else
                drawBufferRange(list.buffer, op.primitive, op.first, op.count, op.carries);
            break;
        case ListOp::Kind::SetCurrent:
            setCurrent(op);
            break;
        }
    }
}

}  // namespace

bool listCompiling() { return compilingName != 0 && runDepth == 0; }

bool callsRunNow() { return !listCompiling() || compileMode == GL_COMPILE_AND_EXECUTE; }

VertexAttributes& listAttributes() { return compileAttributes; }

void listSetsAttribute(int carries)
{
    definedAttributes |= carries;
    attributesPending = true;
}

void listAddPrimitive(GLenum mode, const std::vector<GeometryVertex>& vertices)
{
    decomposePrimitive(mode, (int)vertices.size(), LIST_QUAD_SPLIT, listCorners);
    if (listCorners.empty()) return;
    int first = (int)buildingGeometry.size();
    for (uint32_t c : listCorners) buildingGeometry.push_back(vertices[c]);
    PrimitiveKind kind = primitiveKind(mode);
    int count = (int)listCorners.size();
    // Primitives with nothing between them are drawn together.
    if (!building.ops.empty()) {
        ListOp& last = building.ops.back();
        if (last.kind == ListOp::Kind::Draw && last.primitive == kind &&
            last.carries == definedAttributes && last.first + last.count == first) {
            last.count += count;
            return;
        }
    }
    ListOp op(ListOp::Kind::Draw);
    op.primitive = kind;
    op.first = first;
    op.count = count;
    op.carries = definedAttributes;
    building.ops.push_back(op);
}

bool listRecords(std::function<void()> call)
{
    if (!listCompiling()) return false;
    recordPendingAttributes();
    building.ops.push_back(ListOp(ListOp::Kind::Call, std::move(call)));
    return compileMode == GL_COMPILE;
}

extern "C" {

GLuint glGenLists(GLsizei range)
{
    if (range <= 0) {
        if (range < 0) setGlError(GL_INVALID_VALUE);
        return 0;
    }
    GLuint first = highestName + 1;
    highestName += (GLuint)range;
    for (GLuint name = first; name <= highestName; ++name) lists[name];
    return first;
}

void glNewList(GLuint list, GLenum mode)
{
    if (list == 0 || (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE)) {
        setGlError(list == 0 ? GL_INVALID_VALUE : GL_INVALID_ENUM);
        return;
    }
    if (compilingName != 0 || gl.insideBegin) {
        setGlError(GL_INVALID_OPERATION);
        return;
    }
    flushBitmaps();
    compilingName = list;
    compileMode = mode;
    building = DisplayList();
    buildingGeometry.clear();
    compileAttributes = gl.s.current;
    definedAttributes = 0;
    attributesPending = false;
}

void glEndList(void)
{
    if (compilingName == 0 || runDepth != 0) {
        setGlError(GL_INVALID_OPERATION);
        return;
    }
    recordPendingAttributes();
    building.buffer = createStaticBuffer(buildingGeometry.data(), (int)buildingGeometry.size());
    building.geometry = std::move(buildingGeometry);
    DisplayList& slot = lists[compilingName];
    deleteStaticBuffer(slot.buffer);
    slot = std::move(building);
    if (compilingName > highestName) highestName = compilingName;
    building = DisplayList();
    buildingGeometry = std::vector<GeometryVertex>();
    compilingName = 0;
}

void glCallList(GLuint list)
{
    if (stateCallRecorded([=] { glCallList(list); })) return;
    auto found = lists.find(list);
    if (found == lists.end() || runDepth >= MAX_LIST_NESTING) return;
    ++runDepth;
    runList(found->second);
    --runDepth;
}

void glDeleteLists(GLuint list, GLsizei range)
{
    if (range < 0) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    for (GLsizei i = 0; i < range; ++i) {
        auto found = lists.find(list + (GLuint)i);
        if (found == lists.end()) continue;
        deleteStaticBuffer(found->second.buffer);
        lists.erase(found);
    }
}

GLboolean glIsList(GLuint list) { return lists.count(list) ? GL_TRUE : GL_FALSE; }

}  // extern "C"
