// The WebGL program that stands in for GL 1.1's fixed function: lighting per vertex with
// GL's equation (Gouraud, as Mesa does it), the texture environment, the alpha test. The
// choices that do not change within a draw (lighting on, colour tracking, texturing, the
// environment, the alpha test) are constants put before the text, one program per set of
// them, so that each program does only its own work.
// Depends on: nothing.
#pragma once

// Vertex attribute locations.
const int ATTRIBUTE_POSITION = 0;
const int ATTRIBUTE_NORMAL = 1;
const int ATTRIBUTE_COLOR = 2;
const int ATTRIBUTE_TEXCOORD = 3;

// Values of uColorMaterial: which material colour follows the vertex colour.
const int COLOR_MATERIAL_NONE = 0;
const int COLOR_MATERIAL_AMBIENT = 1;
const int COLOR_MATERIAL_DIFFUSE = 2;
const int COLOR_MATERIAL_AMBIENT_AND_DIFFUSE = 3;
const int COLOR_MATERIAL_SPECULAR = 4;
const int COLOR_MATERIAL_EMISSION = 5;

// Values of uTexEnv.
const int TEX_ENV_MODULATE = 0;
const int TEX_ENV_REPLACE = 1;
const int TEX_ENV_DECAL = 2;
const int TEX_ENV_BLEND = 3;
const int TEX_ENV_ADD = 4;

// The constants each program is compiled with (put before the text by gl_draw.cpp):
// vertex shader: bool uLighting, int uColorMaterial (a COLOR_MATERIAL_ value);
// fragment shader: bool uTexturing, int uTexEnv (a TEX_ENV_ value), bool uTexHasColor,
// bool uTexHasAlpha, int uAlphaFunc (GL's comparison minus GL_NEVER; 7 passes everything).

const char* const VERTEX_SHADER_SOURCE = R"(
precision highp float;
attribute vec4 aPosition;
attribute vec3 aNormal;
attribute vec4 aColor;
attribute vec2 aTexCoord;
uniform mat4 uMvp;
uniform mat4 uModelView;
uniform mat4 uTextureMatrix;
uniform mat3 uNormalMatrix;
uniform bool uNormalize;
uniform bool uLocalViewer;
uniform vec4 uMaterialAmbient;
uniform vec4 uMaterialDiffuse;
uniform vec4 uMaterialSpecular;
uniform vec4 uMaterialEmission;
uniform float uMaterialShininess;
uniform vec4 uSceneAmbient;
uniform vec4 uLightAmbient[8];
uniform vec4 uLightDiffuse[8];
uniform vec4 uLightSpecular[8];
uniform vec4 uLightPosition[8];
uniform vec4 uLightAttenuation[8];  // constant, linear, quadratic, on (1) or off (0)
uniform vec4 uLightSpot[8];         // direction (normalised), exponent
uniform float uLightSpotCutoff[8];  // cosine of the cutoff, or -2 for no spot
varying vec4 vColor;
varying vec2 vTexCoord;

void main()
{
    gl_Position = uMvp * aPosition;
    vec4 t = uTextureMatrix * vec4(aTexCoord, 0.0, 1.0);
    vTexCoord = t.xy / t.w;
    if (!uLighting) {
        vColor = clamp(aColor, 0.0, 1.0);
        return;
    }
    vec4 ambient = uMaterialAmbient;
    vec4 diffuse = uMaterialDiffuse;
    vec4 specular = uMaterialSpecular;
    vec4 emission = uMaterialEmission;
    if (uColorMaterial == 1 || uColorMaterial == 3) ambient = aColor;
    if (uColorMaterial == 2 || uColorMaterial == 3) diffuse = aColor;
    if (uColorMaterial == 4) specular = aColor;
    if (uColorMaterial == 5) emission = aColor;

    vec4 eye = uModelView * aPosition;
    vec3 n = uNormalMatrix * aNormal;
    if (uNormalize) n = normalize(n);
    vec3 colour = emission.rgb + uSceneAmbient.rgb * ambient.rgb;
    for (int i = 0; i < 8; ++i) {
        if (uLightAttenuation[i].w == 0.0) continue;
        vec3 vp;
        float attenuation = 1.0;
        if (uLightPosition[i].w != 0.0) {
            vp = uLightPosition[i].xyz - eye.xyz;
            float d2 = dot(vp, vp);
            float inverse = inversesqrt(d2);
            vp *= inverse;
            float d = d2 * inverse;
            attenuation = 1.0 / (uLightAttenuation[i].x + uLightAttenuation[i].y * d +
                                 uLightAttenuation[i].z * d2);
            if (uLightSpotCutoff[i] > -1.5) {
                float spot = dot(-vp, uLightSpot[i].xyz);
                attenuation *= spot >= uLightSpotCutoff[i] ? pow(max(spot, 0.0), uLightSpot[i].w) : 0.0;
            }
        } else {
            vp = normalize(uLightPosition[i].xyz);
        }
        vec3 light = uLightAmbient[i].rgb * ambient.rgb;
        float nDotVp = dot(n, vp);
        if (nDotVp > 0.0) {
            light += nDotVp * uLightDiffuse[i].rgb * diffuse.rgb;
            vec3 h = uLocalViewer ? normalize(vp - normalize(eye.xyz)) : normalize(vp + vec3(0.0, 0.0, 1.0));
            float nDotH = max(dot(n, h), 0.0);
            float power = uMaterialShininess == 0.0 ? 1.0 : pow(nDotH, uMaterialShininess);
            light += power * uLightSpecular[i].rgb * specular.rgb;
        }
        colour += attenuation * light;
    }
    vColor = clamp(vec4(colour, diffuse.a), 0.0, 1.0);
}
)";

const char* const FRAGMENT_SHADER_SOURCE = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D uTexture;
uniform vec4 uTexEnvColor;
uniform float uAlphaRef;
varying vec4 vColor;
varying vec2 vTexCoord;

void main()
{
    vec4 c = vColor;
    if (uTexturing) {
        vec4 t = texture2D(uTexture, vTexCoord);
        vec3 tc = uTexHasColor ? t.rgb : vec3(1.0);
        float ta = uTexHasAlpha ? t.a : 1.0;
        if (uTexEnv == 0) {
            c = vec4(c.rgb * tc, c.a * ta);
        } else if (uTexEnv == 1) {
            c = vec4(uTexHasColor ? t.rgb : c.rgb, uTexHasAlpha ? t.a : c.a);
        } else if (uTexEnv == 2) {
            c.rgb = uTexHasAlpha ? mix(c.rgb, t.rgb, t.a) : t.rgb;
        } else if (uTexEnv == 3) {
            c = vec4(c.rgb * (vec3(1.0) - tc) + uTexEnvColor.rgb * tc, c.a * ta);
        } else {
            c = vec4(min(c.rgb + (uTexHasColor ? t.rgb : vec3(0.0)), 1.0), c.a * ta);
        }
    }
    if (uAlphaFunc != 7) {
        float a = c.a;
        bool pass = uAlphaFunc == 1 ? a < uAlphaRef
                  : uAlphaFunc == 2 ? a == uAlphaRef
                  : uAlphaFunc == 3 ? a <= uAlphaRef
                  : uAlphaFunc == 4 ? a > uAlphaRef
                  : uAlphaFunc == 5 ? a != uAlphaRef
                  : uAlphaFunc == 6 ? a >= uAlphaRef
                  : false;
        if (!pass) discard;
    }
    gl_FragColor = c;
}
)";
