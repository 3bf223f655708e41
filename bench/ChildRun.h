// Runs one measurement in a child process of its own, so that its peak memory is its own: the
// peak of a process only ever grows.
#pragma once

#include <functional>

struct Sample {
    double milliseconds = 0;
    long peakKb = 0;
    bool ok = false;
};

class ChildRun {
public:
    // The work prepares what it needs untimed and returns the milliseconds of the part it times.
    // The child has its own application object; the parent must not have one.
    static Sample Run(int argc, char** argv, const std::function<double()>& work);
};
