#pragma once

// A length in twips as it was last set, handed back exactly (5585, not a
// value rounded to whole pixels) for as long as the widget still has the
// pixel value that the set length gave it. Once something else changes the
// pixels (the user dragging a frame, the window manager), the real pixel
// value is what counts again. This keeps step-by-step animations exact.
//
// A tolerance lets a caller accept pixel values a little off the set one as
// still that length, where the window system cannot give every pixel size
// (see TwipsGeometry).

#include "twips.h"

#include <cstdlib>
#include <optional>

class ExactTwips
{
public:
    // offset: twips added to the pixel value's length, such as a frame.
    explicit ExactTwips(double offset = 0) : m_offset(offset) {}

    int pixelsFor(double twips) const { return twips::toPixels(twips - m_offset); }
    void set(double twips) { m_set = twips; }
    void forget() { m_set.reset(); }

    double read(int actualPixels, int tolerancePixels = 0) const
    {
        if (m_set && std::abs(pixelsFor(*m_set) - actualPixels) <= tolerancePixels)
            return *m_set;
        return twips::fromPixels(actualPixels) + m_offset;
    }

private:
    double m_offset;
    std::optional<double> m_set;
};
