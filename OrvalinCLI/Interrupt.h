#pragma once

// Turns Ctrl-C into a request that long work notices at its checkpoints. A second Ctrl-C while
// the first is pending ends the process at once, as usual.
class Interrupt
{
public:
    // Catches SIGINT for as long as the object lives.
    Interrupt();
    ~Interrupt();
    Interrupt(const Interrupt&) = delete;
    Interrupt& operator=(const Interrupt&) = delete;

    static bool requested();
};
