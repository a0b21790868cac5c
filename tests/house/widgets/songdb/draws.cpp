// SPDX-License-Identifier: GPL-3.0-or-later
// A core file that draws: the check must refuse it.
#include <QPainter>
