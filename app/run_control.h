// The main loop pass, run control (Play, Pause, Stop) and InitialiseRun.
#pragma once

#include <functional>

namespace torvex {

struct Sim;

void InitialiseRun(Sim& sim);
void PlayClicked(Sim& sim, bool pressed);
void PauseClicked(Sim& sim);
void StopClicked(Sim& sim, bool pressed);
// The stop after a fire step found no front left.
void FireStoppedStop(Sim& sim);
// The controls of a stopped run: run buttons hidden, Replay offered; then the message.
void ShowStoppedControls(Sim& sim, const char* message);

// One pass of the loop's simulation work, run after the window system had its turn.
void RunPass(Sim& sim);
// The whole loop: until the main window closes. Idle passes block waiting for events.
void RunLoop(Sim& sim);

// Lets the window system process pending events if a time slice has passed.
void YieldToWindow(Sim& sim);
// Runs fn now, or after the running fire step returns when one is in progress.
void RunWhenNoStep(Sim& sim, std::function<void(Sim&)> fn);

}  // namespace torvex
