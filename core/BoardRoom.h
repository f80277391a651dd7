// How many titles the main window's board holds: columns of panels, filled
// from top to bottom, left to right. The window lays the panels out by it
// (ui/Layout.h), and the series checker warns of a catalogue with more
// entries than fit.
#pragma once

namespace sorvel {

inline constexpr int kBoardColumns = 3;
inline constexpr int kPanelsPerColumn = 6;
inline constexpr int kBoardRoom = kBoardColumns * kPanelsPerColumn;

}  // namespace sorvel
