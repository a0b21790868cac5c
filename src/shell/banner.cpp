// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/banner.h"

namespace shell {

int Banner::toggle()
{
    m_stopped = !m_stopped;
    return interval();
}

void Banner::step()
{
    m_leftTwips -= StepTwips;
    m_colour += ColourStep;
    if (m_colour > ColourLimit)
        m_colour = 0;
    if (m_leftTwips <= LeaveTwips)
        m_leftTwips = ReenterTwips;
}

} // namespace shell
