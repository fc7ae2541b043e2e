// The GL 1.1 state our WebGL emulation keeps: what the game set, as GL defines it, read by the
// drawing (gl_draw.cpp) when a primitive reaches WebGL. Only web/gl/ includes this.
// Depends on: GL/gl.h (our declarations).
#pragma once
#include <GL/gl.h>

#include <functional>
#include <vector>

const int GL_LIGHT_COUNT = 8;
const int MODELVIEW_STACK_DEPTH = 32;
const int PROJECTION_STACK_DEPTH = 32;
const int TEXTURE_STACK_DEPTH = 10;
const int ATTRIB_STACK_DEPTH = 16;
const int MAX_TEXTURE_SIDE = 4096;
const int MAX_TEXTURE_LEVELS = 13;  // 4096 down to 1
const int HINT_COUNT = 3;            // perspective correction, line and polygon smoothing
// The largest value of an unsigned byte colour or normal component, which maps to 1.
const float UNSIGNED_BYTE_MAX = 255.0f;

// Components a pixel of a client format has (1 to 4), or 0 for a format the game never uses.
int componentsOf(GLenum format);

struct Matrix4 {
    float m[16];  // column major, as GL hands them out
};
Matrix4 identityMatrix();
// a x b, in Mesa's order of operations.
Matrix4 multiplyMatrices(const Matrix4& a, const Matrix4& b);

struct MatrixStack {
    Matrix4 levels[MODELVIEW_STACK_DEPTH];
    int depth = 0;  // index of the top
    int capacity = MODELVIEW_STACK_DEPTH;
    Matrix4& top() { return levels[depth]; }
};

struct LightState {
    bool enabled = false;
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};
    float specular[4] = {0, 0, 0, 1};
    float position[4] = {0, 0, 1, 0};  // eye space
    float spotDirection[3] = {0, 0, -1};  // eye space
    float spotExponent = 0;
    float spotCutoff = 180;
    float attenuation[3] = {1, 0, 0};  // constant, linear, quadratic
};

struct MaterialState {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    float specular[4] = {0, 0, 0, 1};
    float emission[4] = {0, 0, 0, 1};
    float shininess = 0;
};

// The attributes a vertex carries, as the current values do.
struct VertexAttributes {
    float color[4] = {1, 1, 1, 1};
    float normal[3] = {0, 0, 1};
    float texCoord[2] = {0, 0};
};

// Everything glPushAttrib can save, grouped by what the bits name.
struct ServerState {
    // GL_CURRENT_BIT
    VertexAttributes current;
    float rasterPosition[4] = {0, 0, 0, 1};  // window coordinates
    bool rasterValid = true;
    float rasterColor[4] = {1, 1, 1, 1};
    float rasterTexCoord[2] = {0, 0};
    // GL_ENABLE_BIT (with the lights' own flags)
    bool blend = false, cullFace = false, depthTest = false, lighting = false;
    bool scissorTest = false, texture2d = false, alphaTest = false, autoNormal = false;
    bool colorMaterial = false, lineSmooth = false, normalize = false, polygonSmooth = false;
    bool pointSmooth = false, dither = true, rescaleNormal = false, polygonOffsetFill = false;
    bool fog = false, stencilTest = false, texture1d = false;
    // GL_LIGHTING_BIT
    LightState lights[GL_LIGHT_COUNT];
    MaterialState material[2];  // front, back
    float lightModelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    bool localViewer = false, twoSide = false;
    GLenum colorMaterialFace = GL_FRONT_AND_BACK, colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;
    GLenum shadeModel = GL_SMOOTH;
    // GL_COLOR_BUFFER_BIT
    GLenum blendSrc = GL_ONE, blendDst = GL_ZERO;
    GLenum alphaFunc = GL_ALWAYS;
    float alphaRef = 0;
    bool colorMask[4] = {true, true, true, true};
    float clearColor[4] = {0, 0, 0, 0};
    // GL_DEPTH_BUFFER_BIT
    GLenum depthFunc = GL_LESS;
    bool depthMask = true;
    double clearDepth = 1;
    // GL_POLYGON_BIT
    GLenum cullFaceMode = GL_BACK, frontFace = GL_CCW;
    // GL_VIEWPORT_BIT, GL_SCISSOR_BIT
    int viewport[4] = {0, 0, 0, 0};
    int scissor[4] = {0, 0, 0, 0};
    // GL_TRANSFORM_BIT
    GLenum matrixMode = GL_MODELVIEW;
    // GL_LINE_BIT, GL_POINT_BIT
    float lineWidth = 1, pointSize = 1;
    // GL_TEXTURE_BIT
    GLuint boundTexture = 0;
    GLenum texEnvMode = GL_MODULATE;
    float texEnvColor[4] = {0, 0, 0, 0};
    // GL_HINT_BIT
    GLenum hints[HINT_COUNT] = {GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE};
};

struct ClientArray {
    bool enabled = false;
    GLint size = 4;
    GLenum type = GL_FLOAT;
    GLsizei stride = 0;
    const void* pointer = nullptr;
};

struct PixelStore {
    GLint alignment = 4, rowLength = 0, skipRows = 0, skipPixels = 0;
    bool swapBytes = false, lsbFirst = false;
};

struct ClientState {
    ClientArray vertex, normal, color, texCoord;
    PixelStore unpack, pack;
};

struct TextureObject {
    bool exists = false;  // named by glGenTextures or bound
    GLuint webglName = 0;
    int width[MAX_TEXTURE_LEVELS] = {};
    int height[MAX_TEXTURE_LEVELS] = {};
    bool levelDefined[MAX_TEXTURE_LEVELS] = {};
    GLenum baseFormat = GL_RGB;  // GL_RGB, GL_RGBA, GL_ALPHA, GL_LUMINANCE, GL_LUMINANCE_ALPHA
    GLint internalFormat = 0;
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR, magFilter = GL_LINEAR;
    GLenum wrapS = GL_REPEAT, wrapT = GL_REPEAT;
};

struct AttribEntry {
    GLbitfield mask;
    ServerState saved;
    TextureObject boundParameters;  // the bound texture's filters and wraps (GL_TEXTURE_BIT)
};

struct ClientAttribEntry {
    GLbitfield mask;
    ClientState saved;
};

struct GlContext {
    bool ready = false;
    ServerState s;
    ClientState client;
    MatrixStack modelview, projection, texture;
    std::vector<AttribEntry> attribStack;
    std::vector<ClientAttribEntry> clientAttribStack;
    std::vector<TextureObject> textures;  // by GL name; 0 is the default texture
    GLenum error = GL_NO_ERROR;
    int drawingBufferWidth = 0, drawingBufferHeight = 0;
    // Inside glBegin/glEnd: the primitive being built.
    bool insideBegin = false;
    GLenum beginMode = 0;
};

extern GlContext gl;

// Remembers the first error, as GL does.
void setGlError(GLenum error);
MatrixStack& currentMatrixStack();
// The texture object of a name, created on first use.
TextureObject& textureObject(GLuint name);
// Whether the texture bound now can be sampled: GL draws as if texturing were off otherwise.
bool boundTextureComplete();
// Sends a texture's filters and wraps to its WebGL texture, which must be bound.
void applyTextureParameters(const TextureObject& t);
// With GL_COLOR_MATERIAL on, copies the current colour into the material's tracked colours.
void trackCurrentColorMaterial();

// A display list is being compiled by calls the program makes (not by a list being run).
bool listCompiling();
// Records a call in the list being compiled; true when it must not run now (GL_COMPILE).
bool listRecords(std::function<void()> call);
// Draws what glBitmap has gathered and not drawn yet; called before anything that changes
// how it would be drawn.
void flushBitmaps();
// A state call: recorded in a list being compiled, else (or as well) it draws pending bitmaps
// and runs. True when the call must not run now.
template <typename Call>
inline bool stateCallRecorded(const Call& call)
{
    if (listCompiling() && listRecords(call)) return true;
    flushBitmaps();
    return false;
}
