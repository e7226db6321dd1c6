#include "app/button_painting.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <string>

namespace kv {

namespace {

int Scaled(int value, int dpi) { return MulDiv(value, dpi, 96); }

bool Pressed(const DRAWITEMSTRUCT& item) { return (item.itemState & ODS_SELECTED) != 0; }

void FillRectWith(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// The push-button face in the current theme, or the classic one.
void PaintButtonFace(const DRAWITEMSTRUCT& item) {
    RECT rect = item.rcItem;
    HTHEME theme = IsAppThemed() ? OpenThemeData(item.hwndItem, L"BUTTON") : nullptr;
    if (theme) {
        const int state = (item.itemState & ODS_DISABLED) ? PBS_DISABLED
                          : Pressed(item)                 ? PBS_PRESSED
                          : (item.itemState & ODS_FOCUS)  ? PBS_DEFAULTED
                                                          : PBS_NORMAL;
        DrawThemeParentBackground(item.hwndItem, item.hDC, &rect);
        DrawThemeBackground(theme, item.hDC, BP_PUSHBUTTON, state, &rect, nullptr);
        CloseThemeData(theme);
        return;
    }
    DrawFrameControl(item.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed(item) ? DFCS_PUSHED : 0));
}

void PaintFocus(const DRAWITEMSTRUCT& item, int dpi) {
    if (!(item.itemState & ODS_FOCUS) || (item.itemState & ODS_NOFOCUSRECT)) return;
    RECT rect = item.rcItem;
    InflateRect(&rect, -Scaled(4, dpi), -Scaled(4, dpi));
    DrawFocusRect(item.hDC, &rect);
}

void PolygonIn(HDC dc, const POINT* points, int count, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, points, count);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void ThickLine(HDC dc, int width, COLORREF colour, int x1, int y1, int x2, int y2) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// A green field, a yellow rhombus and a blue disc.
void PaintBrazilFlag(HDC dc, const RECT& r) {
    FillRectWith(dc, r, RGB(0, 156, 59));
    const int w = r.right - r.left, h = r.bottom - r.top;
    const POINT rhombus[] = {{r.left + w / 2, r.top + h / 8},
                             {r.right - w / 10, r.top + h / 2},
                             {r.left + w / 2, r.bottom - h / 8},
                             {r.left + w / 10, r.top + h / 2}};
    PolygonIn(dc, rhombus, 4, RGB(255, 223, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 39, 118));
    HGDIOBJ oldBrush = SelectObject(dc, blue);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const int radius = h / 4 + 1;
    Ellipse(dc, r.left + w / 2 - radius, r.top + h / 2 - radius, r.left + w / 2 + radius + 1,
            r.top + h / 2 + radius + 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(blue);
}

// A blue field with white and red saltires and crosses.
void PaintUnitedKingdomFlag(HDC dc, const RECT& r) {
    FillRectWith(dc, r, RGB(1, 33, 105));
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int unit = h / 8 > 0 ? h / 8 : 1;
    const int saveDc = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    ThickLine(dc, unit * 2, RGB(255, 255, 255), r.left, r.top, r.right, r.bottom);
    ThickLine(dc, unit * 2, RGB(255, 255, 255), r.right, r.top, r.left, r.bottom);
    ThickLine(dc, unit, RGB(200, 16, 46), r.left, r.top, r.right, r.bottom);
    ThickLine(dc, unit, RGB(200, 16, 46), r.right, r.top, r.left, r.bottom);
    RECT whiteBar = {r.left + w / 2 - unit * 3 / 2, r.top, r.left + w / 2 + unit * 3 / 2 + 1, r.bottom};
    FillRectWith(dc, whiteBar, RGB(255, 255, 255));
    whiteBar = {r.left, r.top + h / 2 - unit * 3 / 2, r.right, r.top + h / 2 + unit * 3 / 2 + 1};
    FillRectWith(dc, whiteBar, RGB(255, 255, 255));
    RECT redBar = {r.left + w / 2 - unit, r.top, r.left + w / 2 + unit, r.bottom};
    FillRectWith(dc, redBar, RGB(200, 16, 46));
    redBar = {r.left, r.top + h / 2 - unit, r.right, r.top + h / 2 + unit};
    FillRectWith(dc, redBar, RGB(200, 16, 46));
    RestoreDC(dc, saveDc);
}

}  // namespace

void PaintLanguageButton(const DRAWITEMSTRUCT& item, Flag flag, COLORREF textColour, int dpi) {
    PaintButtonFace(item);
    const int shift = Pressed(item) ? 1 : 0;
    const int flagWidth = Scaled(24, dpi), flagHeight = Scaled(16, dpi);
    RECT flagRect;
    flagRect.left = item.rcItem.left + Scaled(10, dpi) + shift;
    flagRect.top = (item.rcItem.top + item.rcItem.bottom - flagHeight) / 2 + shift;
    flagRect.right = flagRect.left + flagWidth;
    flagRect.bottom = flagRect.top + flagHeight;
    if (flag == Flag::Brazil) {
        PaintBrazilFlag(item.hDC, flagRect);
    } else {
        PaintUnitedKingdomFlag(item.hDC, flagRect);
    }
    FrameRect(item.hDC, &flagRect, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));

    wchar_t text[64] = L"";
    GetWindowTextW(item.hwndItem, text, 64);
    RECT textRect = item.rcItem;
    textRect.left = flagRect.right + Scaled(6, dpi);
    OffsetRect(&textRect, 0, shift);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : textColour);
    DrawTextW(item.hDC, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    PaintFocus(item, dpi);
}

void PaintRefreshButton(const DRAWITEMSTRUCT& item, int dpi) {
    RECT rect = item.rcItem;
    FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &rect, Pressed(item) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    // A circular arrow: three quarters of a ring and an arrow head.
    const int shift = Pressed(item) ? 1 : 0;
    const int cx = (rect.left + rect.right) / 2 + shift, cy = (rect.top + rect.bottom) / 2 + shift;
    const int radius = Scaled(6, dpi);
    // Grey while disabled (an action runs), as a disabled button's glyph is.
    const COLORREF blue = (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 90, 170);
    HPEN pen = CreatePen(PS_SOLID, Scaled(2, dpi), blue);
    HGDIOBJ oldPen = SelectObject(item.hDC, pen);
    HGDIOBJ oldBrush = SelectObject(item.hDC, GetStockObject(NULL_BRUSH));
    // Counter-clockwise from the top round to the right-hand side.
    Arc(item.hDC, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1, cx, cy - radius, cx + radius, cy);
    SelectObject(item.hDC, oldBrush);
    SelectObject(item.hDC, oldPen);
    DeleteObject(pen);
    const int head = Scaled(4, dpi);
    const POINT arrow[] = {{cx + radius - head, cy}, {cx + radius + head, cy}, {cx + radius, cy - head}};
    PolygonIn(item.hDC, arrow, 3, blue);
    PaintFocus(item, dpi);
}

}  // namespace kv
