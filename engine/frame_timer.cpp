#include "engine/frame_timer.h"

#include "platform/platform.h"

unsigned int FrameTimer::Now() const
{
    return ticks != nullptr ? ticks() : platform::Ticks();
}

void FrameTimer::Reset()
{
    lastTicks = nowTicks = Now();
    delta = 0.0f;
    lastSecondMark = 0.0f;
    frameCount = 0;
    fps = 0;
    elapsed = 0.0f;
}

void FrameTimer::Tick()
{
    lastTicks = nowTicks;
    nowTicks = Now();
    ++frameCount;
    // Unsigned subtraction stays right across the counter's wrap.
    delta = static_cast<float>((nowTicks - lastTicks) * 0.001);
    elapsed += delta;
    if (elapsed > lastSecondMark + 1.0f)
    {
        lastSecondMark = elapsed;
        fps = frameCount;
        frameCount = 0;
    }
}
