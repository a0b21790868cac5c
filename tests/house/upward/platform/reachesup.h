// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reaches up into the windows: the check must refuse it.
#include "ui/mainwindow.h"
