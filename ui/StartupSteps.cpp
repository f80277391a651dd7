#include "ui/StartupSteps.h"

namespace sorvel::ui {
namespace {
StepRecorder recorder = nullptr;
}

void SetStepRecorder(StepRecorder stepRecorder) { recorder = stepRecorder; }

void MarkStep(const char* step) {
  if (recorder) recorder(step);
}

}  // namespace sorvel::ui
