// Owner-drawn buttons: the language buttons (a flag and a text colour that
// shows the active language, which a themed push button cannot do) and the
// flat drive-refresh buttons.
#pragma once

#include <windows.h>

namespace kv {

enum class Flag { Brazil, UnitedKingdom };

void PaintLanguageButton(const DRAWITEMSTRUCT& item, Flag flag, COLORREF textColour, int dpi);
void PaintRefreshButton(const DRAWITEMSTRUCT& item, int dpi);

}  // namespace kv
