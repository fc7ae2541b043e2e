// Lights, materials, the light model and colour tracking. Light positions and spot directions
// are taken into eye space by the model-view matrix of the moment glLightfv is called.
// Depends on: gl_state.h.
#include "web/gl/gl_state.h"

#include <cstring>

namespace {

const float MAX_SHININESS = 128.0f;
const float MAX_SPOT_EXPONENT = 128.0f;
const float MAX_SPOT_CUTOFF = 90.0f;
const float NO_SPOT_CUTOFF = 180.0f;

LightState* lightOf(GLenum light)
{
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + GL_LIGHT_COUNT) {
        setGlError(GL_INVALID_ENUM);
        return nullptr;
    }
    return &gl.s.lights[light - GL_LIGHT0];
}

int parameterCount(GLenum pname)
{
    switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_POSITION:
    case GL_EMISSION:
    case GL_AMBIENT_AND_DIFFUSE:
    case GL_LIGHT_MODEL_AMBIENT: return 4;
    case GL_SPOT_DIRECTION:
    case GL_COLOR_INDEXES: return 3;
    default: return 1;
    }
}

void setLight(LightState& l, GLenum pname, const GLfloat* p)
{
    const float* m = gl.modelview.top().m;
    switch (pname) {
    case GL_AMBIENT: std::memcpy(l.ambient, p, sizeof l.ambient); break;
    case GL_DIFFUSE: std::memcpy(l.diffuse, p, sizeof l.diffuse); break;
    case GL_SPECULAR: std::memcpy(l.specular, p, sizeof l.specular); break;
    case GL_POSITION:
        for (int i = 0; i < 4; ++i)
            l.position[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2] + m[12 + i] * p[3];
        break;
    case GL_SPOT_DIRECTION:
        for (int i = 0; i < 3; ++i) l.spotDirection[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2];
        break;
    case GL_SPOT_EXPONENT:
        if (p[0] < 0 || p[0] > MAX_SPOT_EXPONENT) {
            setGlError(GL_INVALID_VALUE);
            return;
        }
        l.spotExponent = p[0];
        break;
    case GL_SPOT_CUTOFF:
        if ((p[0] < 0 || p[0] > MAX_SPOT_CUTOFF) && p[0] != NO_SPOT_CUTOFF) {
            setGlError(GL_INVALID_VALUE);
            return;
        }
        l.spotCutoff = p[0];
        break;
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION:
        if (p[0] < 0) {
            setGlError(GL_INVALID_VALUE);
            return;
        }
        l.attenuation[pname - GL_CONSTANT_ATTENUATION] = p[0];
        break;
    default:
        setGlError(GL_INVALID_ENUM);
        break;
    }
}

void setMaterial(MaterialState& m, GLenum pname, const GLfloat* p)
{
    switch (pname) {
    case GL_AMBIENT: std::memcpy(m.ambient, p, sizeof m.ambient); break;
    case GL_DIFFUSE: std::memcpy(m.diffuse, p, sizeof m.diffuse); break;
    case GL_SPECULAR: std::memcpy(m.specular, p, sizeof m.specular); break;
    case GL_EMISSION: std::memcpy(m.emission, p, sizeof m.emission); break;
    case GL_AMBIENT_AND_DIFFUSE:
        std::memcpy(m.ambient, p, sizeof m.ambient);
        std::memcpy(m.diffuse, p, sizeof m.diffuse);
        break;
    case GL_SHININESS:
        if (p[0] < 0 || p[0] > MAX_SHININESS) {
            setGlError(GL_INVALID_VALUE);
            return;
        }
        m.shininess = p[0];
        break;
    case GL_COLOR_INDEXES: break;
    default: setGlError(GL_INVALID_ENUM); break;
    }
}

}  // namespace

extern "C" {

void glLightfv(GLenum light, GLenum pname, const GLfloat* params)
{
    float copy[4] = {0, 0, 0, 0};
    std::memcpy(copy, params, sizeof(float) * parameterCount(pname));
    if (stateCallRecorded([=] { glLightfv(light, pname, copy); })) return;
    if (LightState* l = lightOf(light)) setLight(*l, pname, copy);
}

void glLightf(GLenum light, GLenum pname, GLfloat param)
{
    if (parameterCount(pname) != 1) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    glLightfv(light, pname, &param);
}

void glLightModelfv(GLenum pname, const GLfloat* params)
{
    float copy[4] = {0, 0, 0, 0};
    std::memcpy(copy, params, sizeof(float) * parameterCount(pname));
    if (stateCallRecorded([=] { glLightModelfv(pname, copy); })) return;
    switch (pname) {
    case GL_LIGHT_MODEL_AMBIENT: std::memcpy(gl.s.lightModelAmbient, copy, sizeof copy); break;
    case GL_LIGHT_MODEL_LOCAL_VIEWER: gl.s.localViewer = copy[0] != 0; break;
    case GL_LIGHT_MODEL_TWO_SIDE: gl.s.twoSide = copy[0] != 0; break;
    default: setGlError(GL_INVALID_ENUM); break;
    }
}

void glLightModelf(GLenum pname, GLfloat param) { glLightModelfv(pname, &param); }
void glLightModeli(GLenum pname, GLint param)
{
    float value = (float)param;
    glLightModelfv(pname, &value);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params)
{
    float copy[4] = {0, 0, 0, 0};
    std::memcpy(copy, params, sizeof(float) * parameterCount(pname));
    if (stateCallRecorded([=] { glMaterialfv(face, pname, copy); })) return;
    if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    if (face != GL_BACK) setMaterial(gl.s.material[0], pname, copy);
    if (face != GL_FRONT) setMaterial(gl.s.material[1], pname, copy);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) { glMaterialfv(face, pname, &param); }

void glColorMaterial(GLenum face, GLenum mode)
{
    if (stateCallRecorded([=] { glColorMaterial(face, mode); })) return;
    gl.s.colorMaterialFace = face;
    gl.s.colorMaterialMode = mode;
    trackCurrentColorMaterial();
}

}  // extern "C"
