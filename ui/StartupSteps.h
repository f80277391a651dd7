// Marks of the start-up's steps, for the start-up benchmark. The program
// entry installs a recorder only when the benchmark asks for one; without
// it a mark is one test of a pointer.
#pragma once

namespace sorvel::ui {

using StepRecorder = void (*)(const char* step);

// Installs the recorder the marks go to (nullptr: none).
void SetStepRecorder(StepRecorder recorder);

// The step named `step` (a literal) has just ended.
void MarkStep(const char* step);

}  // namespace sorvel::ui
