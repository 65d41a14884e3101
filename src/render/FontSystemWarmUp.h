#pragma once

#include <thread>

// Loads the system's font configuration (fontconfig reading and parsing its files, about
// 4 ms here) on a thread of its own while the program does the rest of its start-up
// (the window system, the input files). The first font asked for then finds it loaded
// instead of waiting for it. fontconfig loads its configuration once, safely from any
// thread. The thread is joined when the object goes.
class FontSystemWarmUp
{
public:
    FontSystemWarmUp();
    ~FontSystemWarmUp();
    FontSystemWarmUp(const FontSystemWarmUp&) = delete;
    FontSystemWarmUp& operator=(const FontSystemWarmUp&) = delete;

private:
    std::thread mThread;
};
