// The start-up's phases, named as each ends, for the start-up trace (bench/StartupTrace). The
// program itself sets no sink: a phase then costs one test of a null pointer.
#pragma once

using StartupPhaseSink = void (*)(const char* phase);
extern StartupPhaseSink StartupPhaseListener;

inline void StartupPhaseDone(const char* phase) {
  if (StartupPhaseListener) StartupPhaseListener(phase);
}
