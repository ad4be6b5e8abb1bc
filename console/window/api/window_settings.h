// SPDX-License-Identifier: GPL-3.0-or-later
// What the window remembers from one start to the next: the frame's
// geometry and state, the console window's geometry and whether it is
// maximised, its font and its text colour.  They live in the user's
// QSettings file named after the application id (on Linux
// ~/.config/io.github.arborix.arborix.conf); without one, the first start
// keeps the sizes the window is made with (the console filling the frame).
#pragma once

#include <QPointer>
#include <QSettings>
#include <memory>

#include "frame_window.h"

namespace arb::win {

std::unique_ptr<QSettings> open_settings();

// Applies whatever was saved; the rest keeps its first-start value.
void restore_settings(FrameWindow& frame, TextWindow* console);
void save_settings(const FrameWindow& frame, TextWindow* console);
// Forgets them all (--reset-settings).
void reset_settings();

// Saves the settings each time the frame is asked to close, before its
// windows go.
void keep_settings(FrameWindow& frame, TextWindow* console);

}  // namespace arb::win
