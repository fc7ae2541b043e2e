// Keyframe animation: which two frames a model shows and how far between them it is.
// Depends on: md2_model.h. No GL: the drawing is in md2_draw.cpp.
#pragma once
#include "characters/md2_model.h"

#include <cstdint>

// The animation steps to its next keyframe every 200 ms of clock time.
const float FRAME_INTERVAL_MS = 200.0f;
// The largest blend drawn as it is. The draw that changes frame runs past 1 by its own frame
// time (under 1 for any frame shorter than 200 ms); a draw after a longer stall (a pause, a
// clock jump in a replay, --fixed-step 60000) would reach far past both keyframes, and is
// drawn on the keyframe it changes to (t = 1) instead.
const float MAX_DRAWN_BLEND = 2.0f;

// The two keyframes a draw blends and the factor between them.
struct ModelPose {
    bool drawn;           // false: nothing to draw (no frames, or no such animation)
    int32_t fromFrame;    // the frame shown, F1
    int32_t toFrame;      // the next frame of the animation, F2
    float t;              // 0 at F1, 1 at F2; a little above 1 on the draw that changes frame
};

// True when the model holds an animation at index.
bool modelHasAnimation(const Md2Model& model, int32_t index);

// Why a model that loaded cannot play its animation at index, for people: "it has 2
// animations, the kind plays number 5", or "animation NAME runs over frames 40 to 45, the
// model has 20"; empty when it can (or when the model has no frames at all: a model that
// failed to load has said so already).
std::string animationProblem(const Md2Model& model, int32_t index);

// The frame after currentFrame in the current animation, wrapping from endFrame - 1 back
// to startFrame.
int32_t nextAnimationFrame(const Md2Model& model);

// Advances the model's frame clock to nowMs and returns t. Moves currentFrame on to next
// once 200 ms have passed since the last change; the first call starts the clock (t = 0).
// A t beyond MAX_DRAWN_BLEND (a long stall) is returned as 1: the new keyframe itself.
float animationClock(Md2Model& model, int32_t next, uint32_t nowMs);

// The logic of one draw: picks F1 and F2, advances the clock, and says what to blend.
// A model without frames, or whose current animation or frames are not in the model,
// is not drawn and keeps its clock.
ModelPose advanceModel(Md2Model& model, uint32_t nowMs);

// Blends the two keyframes of a pose: out gets x, y, z for each of the count frame-vertex
// indices in vertexOf (each must be below the frames' vertex count).
void interpolatePose(const Md2Model& model, const ModelPose& pose, const int32_t* vertexOf,
                     size_t count, float* out);

// How far a blend of the pose can reach, as a multiple of the farthest stored vertex from
// the model's origin: 1 for t from 0 to 1, and |2t - 1| beyond (the draw that changes frame
// runs a little past 1; the clock never gives more than MAX_DRAWN_BLEND, so at most 3).
float poseReach(const ModelPose& pose);
