// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace shell {

// The scrolling banner text of the main window. Positions are in twips
// (15 to a pixel); the colour is a value 00BBGGRR, red in the low byte.
class Banner
{
public:
    static constexpr int IntervalMs = 200;
    static constexpr int StepTwips = 100;
    static constexpr int LeaveTwips = -1740;
    static constexpr int ReenterTwips = 8520;
    static constexpr qint32 ColourStep = 500;
    static constexpr qint32 ColourLimit = 5000000;

    explicit Banner(int leftTwips = 0)
        : m_leftTwips(leftTwips)
    {
    }

    // Flips between running and stopped; returns the timer interval to use (0 = stopped).
    int toggle();
    // One timer tick: moves left, steps the colour, wraps at the left edge.
    void step();

    int leftTwips() const { return m_leftTwips; }
    qint32 colour() const { return m_colour; }
    bool stopped() const { return m_stopped; }
    int interval() const { return m_stopped ? 0 : IntervalMs; }

    static int red(qint32 colour) { return colour & 0xFF; }
    static int green(qint32 colour) { return (colour >> 8) & 0xFF; }
    static int blue(qint32 colour) { return (colour >> 16) & 0xFF; }
    static int pixels(int twips) { return twips / 15; }

private:
    int m_leftTwips = 0;
    qint32 m_colour = 0;
    bool m_stopped = false;
};

} // namespace shell
