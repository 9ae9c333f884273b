#pragma once

// Form1's own heights, widths and animation steps, in twips: the window as
// created, the collapsed size that the invalid-number dialog's OK brings it
// back to, and the steps and thresholds of the grow, shrink and slide. Only
// Form1 acts on them; tests read them from here rather than repeat them.

#include "twips_geometry.h"

namespace mainwindow {

// The window: the outer size is the client area plus this frame.
inline constexpr FrameMargins OuterFrame{60, 345, 60, 60};
inline constexpr double ClientWidth = 4320;
inline constexpr double ClientHeight = 2280;
inline constexpr double CreatedWidth = OuterFrame.left + ClientWidth + OuterFrame.right;
inline constexpr double CreatedHeight = OuterFrame.top + ClientHeight + OuterFrame.bottom;

// Where the dialog's OK leaves the window: collapsed below the shrink's
// threshold, so the upper group shows whole and none of "Detail", at its
// width at creation.
inline constexpr double RestoredHeight = 2580;
inline constexpr double RestoredWidth = CreatedWidth;

inline constexpr double GrowStep = 50;
inline constexpr double ExpandedThreshold = 5550; // growing ends on the first run that finds the height above it
inline constexpr double ShrinkStep = 50;
inline constexpr double CollapsedThreshold = 2685; // shrinking goes on while the height is this or more
inline constexpr double SlideStep = 50;
inline constexpr double SlideEnd = -4900; // the slide ends on the step that leaves the panel below it

static_assert(CollapsedThreshold == CreatedHeight, "the window starts collapsed, at the shrink's threshold");
static_assert(RestoredHeight < CollapsedThreshold, "the dialog's OK leaves nothing for Cancel to shrink");

} // namespace mainwindow
