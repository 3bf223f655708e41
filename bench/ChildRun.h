// Runs measurements in a child process of its own, so that their peak memory is their own: the
// peak of a process only ever grows.
#pragma once

#include <functional>
#include <vector>

// One timed step: its milliseconds and the peak memory of the process once it was done.
struct Sample {
    double milliseconds = 0;
    long peakKb = 0;
    bool ok = false;
};

class ChildRun {
public:
    // What the work calls after each timed step with its milliseconds, negative when it failed.
    using Record = std::function<void(double milliseconds)>;

    // The work prepares what it needs untimed and records the steps it times, in order, at most
    // kSteps. The child has its own application object; the parent must not have one. Empty when
    // the child failed.
    static constexpr int kSteps = 4;
    static std::vector<Sample> Run(int argc, char** argv, const std::function<void(const Record&)>& work);
};
