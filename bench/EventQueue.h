// What a user waits for: the work, then everything it left for the event loop (layout, painting,
// progress), until the queue is idle.
#pragma once

#include <functional>

class EventQueue {
public:
    // Delivers events until a round delivers nothing but the marker it posted last.
    static void ServeUntilIdle();
    // The milliseconds of the work and of serving the queue until idle after it.
    static double TimedUntilIdle(const std::function<void()>& work);
};
