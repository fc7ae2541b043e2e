// Keyframe animation of MD2 models: the frame clock and the choice of the two frames.
// Depends on: md2_animation.h.
#include "characters/md2_animation.h"

#include <cmath>
#include <string>

namespace {

bool frameInModel(const Md2Model& model, int32_t frame)
{
    return frame >= 0 && frame < (int32_t)model.frames.size();
}

}  // namespace

bool modelHasAnimation(const Md2Model& model, int32_t index)
{
    return index >= 0 && index < (int32_t)model.animations.size();
}

std::string animationProblem(const Md2Model& model, int32_t index)
{
    if (model.frames.empty()) return std::string();
    if (!modelHasAnimation(model, index))
        return "it has " + std::to_string(model.animations.size()) +
               " animations, the kind plays number " + std::to_string(index);
    const Md2Animation& a = model.animations[(size_t)index];
    int32_t last = a.endFrame > 0 ? a.endFrame - 1 : a.startFrame;
    if (frameInModel(model, a.startFrame) && frameInModel(model, last)) return std::string();
    return "animation " + std::string(a.name) + " runs over frames " +
           std::to_string(a.startFrame) + " to " + std::to_string(last) + ", the model has " +
           std::to_string(model.frames.size());
}

int32_t nextAnimationFrame(const Md2Model& model)
{
    const Md2Animation& a = model.animations[model.currentAnimation];
    if (a.endFrame <= 0) return a.startFrame;
    int32_t next = (model.currentFrame + 1) % a.endFrame;
    if (next == 0) next = a.startFrame;
    return next;
}

float animationClock(Md2Model& model, int32_t next, uint32_t nowMs)
{
    float now = (float)nowMs;
    // Measuring the first draw from clock zero would fling the vertices far past the
    // next frame; the first draw starts the clock instead.
    if (!model.animClockStarted) {
        model.animClockStarted = true;
        model.animLastTime = now;
    }
    model.animElapsed = now - model.animLastTime;
    float t = model.animElapsed / FRAME_INTERVAL_MS;
    if (model.animElapsed >= FRAME_INTERVAL_MS) {
        model.currentFrame = next;
        model.animLastTime = now;
    }
    // After a long stall the blend would fling the vertices far past both keyframes.
    return t > MAX_DRAWN_BLEND ? 1.0f : t;
}

ModelPose advanceModel(Md2Model& model, uint32_t nowMs)
{
    ModelPose pose = {false, 0, 0, 0.0f};
    if (model.frames.empty()) return pose;
    if (!modelHasAnimation(model, model.currentAnimation)) return pose;
    int32_t next = nextAnimationFrame(model);
    // Frame numbers in a file's names can point past its frames; such a pose is not drawn.
    if (!frameInModel(model, model.currentFrame) || !frameInModel(model, next)) return pose;
    pose.fromFrame = model.currentFrame;
    pose.toFrame = next;
    pose.t = animationClock(model, next, nowMs);
    pose.drawn = true;
    return pose;
}

float poseReach(const ModelPose& pose)
{
    float reach = std::fabs(2.0f * pose.t - 1.0f);
    return reach < 1.0f ? 1.0f : reach;
}

void interpolatePose(const Md2Model& model, const ModelPose& pose, const int32_t* vertexOf,
                     size_t count, float* out)
{
    const Md2Frame& f1 = model.frames[pose.fromFrame];
    const Md2Frame& f2 = model.frames[pose.toFrame];
    float t = pose.t;
    for (size_t k = 0; k < count; ++k) {
        const Vector3& vPoint1 = f1.vertices[vertexOf[k]];
        const Vector3& vPoint2 = f2.vertices[vertexOf[k]];
        out[3 * k] = vPoint1.x + t * (vPoint2.x - vPoint1.x);
        out[3 * k + 1] = vPoint1.y + t * (vPoint2.y - vPoint1.y);
        out[3 * k + 2] = vPoint1.z + t * (vPoint2.z - vPoint1.z);
    }
}
