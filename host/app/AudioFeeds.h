#pragma once
// What live audio puts into the engine's buffer before processing: the next frames of a looping
// file held in memory, or the input device's frames as stereo. Both write exactly `frames` stereo
// frames into `stereo` and read only inside their sources; they run on the audio thread.
#include <cstddef>
#include <span>

// `loop` holds whole stereo frames; `position` is the next frame to play and wraps to the start.
inline void FillFromLoop(std::span<const float> loop, std::size_t& position, float* stereo, std::size_t frames) {
    const std::size_t loopFrames = loop.size() / 2;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        if (loopFrames == 0) {
            stereo[2 * frame] = stereo[2 * frame + 1] = 0.0f;
            continue;
        }
        if (position >= loopFrames) position = 0;
        stereo[2 * frame] = loop[2 * position];
        stereo[2 * frame + 1] = loop[2 * position + 1];
        ++position;
    }
}

// `input` holds `frames` frames of `channels` (1 or 2) interleaved samples; mono feeds both sides.
inline void CopyInputAsStereo(const float* input, int channels, float* stereo, std::size_t frames) {
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const float left = input[frame * std::size_t(channels)];
        stereo[2 * frame] = left;
        stereo[2 * frame + 1] = channels > 1 ? input[frame * std::size_t(channels) + 1] : left;
    }
}
