// Tidies the separators of a drop-down before it opens, so that hiding items
// never leaves a separator at either end or two in a row.
#pragma once

class TMenuItem;

// Works on the children of `parent` through their Visible flag: leading and
// trailing separators are hidden, of a run of separators only the last one
// shows, and a hidden separator between two visible items shows again.
void TidySeparators(TMenuItem& parent);
