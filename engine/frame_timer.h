// FrameTimer: real time between two passes of the main loop, and frames per second.
// The tick source is injectable so tests can drive time; by default it is SDL's clock.
#pragma once

using TickSource = unsigned int (*)();

class FrameTimer
{
public:
    void Reset();
    void Tick();

    unsigned int lastTicks = 0;
    unsigned int nowTicks = 0;
    float delta = 0.0f;
    float lastSecondMark = 0.0f;
    int frameCount = 0;
    int fps = 0;
    float elapsed = 0.0f;

    TickSource ticks = nullptr; // null: platform::Ticks
private:
    unsigned int Now() const;
};
