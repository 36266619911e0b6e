// SPDX-License-Identifier: GPL-3.0-or-later
// What window managers, taskbars, pagers and switchers read of a window on X11. Does
// nothing on other platforms.
#pragma once

class QWidget;

namespace velto {

// Makes `window` a utility window of the program: no taskbar button, no pager or
// switcher entry, only a close button where the window manager honours hints. Call it
// before every show, since a window manager drops the states of a hidden window.
void MarkAsUtilityWindow(QWidget* window);

// Offers MAINICON, and the same drawing made for each size that taskbars and switchers
// ask for, as the icon that they show for `window`. Nothing of it is kept.
void OfferProgramIcon(QWidget* window);

}  // namespace velto
