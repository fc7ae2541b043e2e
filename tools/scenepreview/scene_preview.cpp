// kerbrunner-scene-preview: one 3DS scene drawn by the game's scene drawing from a fixed
// three-quarter view that frames all of it, written as a PNG. The asset inspector runs it
// for `3ds FILE --png OUT` (under xvfb-run when there is no display), so that the inspector
// itself needs no GL.
// Depends on: characters/scene3ds_draw.h, world/scene3ds.h, app/screenshot_gl.h,
// platform/file_read.h, GLUT/GLU.
#include "app/screenshot_gl.h"
#include "world/scene3ds_draw.h"
#include "platform/file_read.h"
#include "world/scene3ds.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- Constants -------------------------------------------------------------------------

const int STATUS_OK = 0;
const int STATUS_PROBLEM = 1;
const int STATUS_USAGE = 2;
const int PREVIEW_WIDTH = 800;
const int PREVIEW_HEIGHT = 600;
const double FIELD_OF_VIEW = 40.0;        // degrees, vertical
const double VIEW_AZIMUTH = 35.0;         // degrees from the front (-second axis) towards +first
const double VIEW_ELEVATION = 30.0;       // degrees above the ground plane
const double FRAME_MARGIN = 1.08;         // the bounding sphere fills this much less than the view
const double SMALLEST_RADIUS = 1e-3;      // a scene of one point still gets a view
const float BACKGROUND[3] = {0.22f, 0.24f, 0.28f};
const float LIGHT_AMBIENT[4] = {0.35f, 0.35f, 0.35f, 1.0f};
const float LIGHT_DIFFUSE[4] = {0.75f, 0.75f, 0.75f, 1.0f};
const double DEGREES = 3.14159265358979323846 / 180.0;

const char* const USAGE =
    "usage: kerbrunner-scene-preview SCENE OUT.png [--textures DIR]...\n";
const char* const OPEN_FAILED = "kerbrunner-scene-preview: cannot read %s: %s\n";
const char* const REFUSED = "kerbrunner-scene-preview: %s: %s\n";
const char* const WINDOW_TITLE = "Kerb Runner scene preview";

// ---- The one frame ---------------------------------------------------------------------

struct Preview {
    Scene3ds scene;
    std::vector<std::string> textureDirs;
    const char* outPath;
    int status;
};

Preview preview;

// The eye on a sphere around the scene's box, looking at its centre with the file's third
// axis up.
void placeCamera(const Scene3dsBounds& bounds)
{
    double cx = 0, cy = 0, cz = 0, radius = SMALLEST_RADIUS;
    if (!bounds.empty) {
        cx = (bounds.low.x + (double)bounds.high.x) / 2;
        cy = (bounds.low.y + (double)bounds.high.y) / 2;
        cz = (bounds.low.z + (double)bounds.high.z) / 2;
        double dx = bounds.high.x - (double)bounds.low.x, dy = bounds.high.y - (double)bounds.low.y,
               dz = bounds.high.z - (double)bounds.low.z;
        radius = std::fmax(std::sqrt(dx * dx + dy * dy + dz * dz) / 2, SMALLEST_RADIUS);
    }
    double distance = radius * FRAME_MARGIN / std::sin(FIELD_OF_VIEW / 2 * DEGREES);
    double dirX = std::cos(VIEW_ELEVATION * DEGREES) * std::sin(VIEW_AZIMUTH * DEGREES);
    double dirY = -std::cos(VIEW_ELEVATION * DEGREES) * std::cos(VIEW_AZIMUTH * DEGREES);
    double dirZ = std::sin(VIEW_ELEVATION * DEGREES);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FIELD_OF_VIEW, (double)PREVIEW_WIDTH / PREVIEW_HEIGHT,
                   std::fmax(distance - radius * FRAME_MARGIN, distance * 1e-3),
                   distance + radius * FRAME_MARGIN);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The light comes from behind the viewer's right shoulder and from above.
    float lightDirection[4] = {(float)dirX + 0.3f, (float)dirY, (float)dirZ + 0.6f, 0.0f};
    gluLookAt(cx + dirX * distance, cy + dirY * distance, cz + dirZ * distance, cx, cy, cz, 0, 0, 1);
    glLightfv(GL_LIGHT0, GL_POSITION, lightDirection);
}

void display()
{
    glViewport(0, 0, PREVIEW_WIDTH, PREVIEW_HEIGHT);
    glClearColor(BACKGROUND[0], BACKGROUND[1], BACKGROUND[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, LIGHT_AMBIENT);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, LIGHT_DIFFUSE);

    std::vector<std::string> problems;
    Scene3dsTextures textures = loadScene3dsTextures(preview.scene, preview.textureDirs, &problems);
    for (const std::string& p : problems) std::fprintf(stderr, "%s\n", p.c_str());
    placeCamera(sceneBounds(preview.scene));
    drawScene3ds(preview.scene, textures);
    glFinish();
    preview.status = saveScreenshot(preview.outPath, PREVIEW_WIDTH, PREVIEW_HEIGHT) ? STATUS_OK
                                                                                    : STATUS_PROBLEM;
    releaseScene3dsTextures(textures);
    glutLeaveMainLoop();
}

std::string directoryOf(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    if (!slash) return ".";
    return std::string(path, (size_t)(slash - path) + 1);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* scenePath = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--textures") == 0 && i + 1 < argc) {
            preview.textureDirs.push_back(argv[++i]);
        } else if (argv[i][0] == '-') {
            std::fputs(USAGE, stderr);
            return STATUS_USAGE;
        } else if (!scenePath) {
            scenePath = argv[i];
        } else if (!preview.outPath) {
            preview.outPath = argv[i];
        } else {
            std::fputs(USAGE, stderr);
            return STATUS_USAGE;
        }
    }
    if (!scenePath || !preview.outPath) {
        std::fputs(USAGE, stderr);
        return STATUS_USAGE;
    }
    FileReadResult file = readFile(scenePath);
    if (file.error != FileReadError::None) {
        std::fprintf(stderr, OPEN_FAILED, scenePath, fileReadErrorText(file.error));
        return STATUS_PROBLEM;
    }
    const char* reason = decodeScene3ds(file.bytes.data(), file.bytes.size(), &preview.scene);
    if (reason) {
        std::fprintf(stderr, REFUSED, scenePath, reason);
        return STATUS_PROBLEM;
    }
    // Pictures are looked for next to the scene first, as other tools do.
    preview.textureDirs.insert(preview.textureDirs.begin(), directoryOf(scenePath));

    int glutArgc = 1;
    glutInit(&glutArgc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(PREVIEW_WIDTH, PREVIEW_HEIGHT);
    glutInitWindowPosition(0, 0);
    glutCreateWindow(WINDOW_TITLE);
    preview.status = STATUS_PROBLEM;
    glutDisplayFunc(display);
    glutMainLoop();
    return preview.status;
}
