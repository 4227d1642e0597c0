#pragma once
#include <cstdint>

// Record function numbers of Windows Metafiles. The high byte is the
// parameter count of the fixed-size records.
namespace wmf::rec {

enum : uint16_t {
    Eof = 0x0000,
    SaveDC = 0x001E,
    RealizePalette = 0x0035,
    SetPalEntries = 0x0037,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetRelAbs = 0x0105,
    SetPolyFillMode = 0x0106,
    SetStretchBltMode = 0x0107,
    SetTextCharExtra = 0x0108,
    RestoreDC = 0x0127,
    InvertRegion = 0x012A,
    PaintRegion = 0x012B,
    SelectClipRegion = 0x012C,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    ResizePalette = 0x0139,
    DibCreatePatternBrush = 0x0142,
    SetLayout = 0x0149,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetTextJustification = 0x020A,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetWindowOrg = 0x020F,
    OffsetViewportOrg = 0x0211,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    OffsetClipRgn = 0x0220,
    FillRegion = 0x0228,
    SetMapperFlags = 0x0231,
    SelectPalette = 0x0234,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ScaleViewportExt = 0x0412,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    FloodFill = 0x0419,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    FrameRegion = 0x0429,
    AnimatePalette = 0x0436,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    ExtFloodFill = 0x0548,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    Escape = 0x0626,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    BitBlt = 0x0922,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    StretchBlt = 0x0B23,
    DibStretchBlt = 0x0B41,
    SetDibToDev = 0x0D33,
    StretchDib = 0x0F43,
    // Known to writers, never played.
    CreateBitmapIndirect = 0x02FD,
    CreateBitmap = 0x06FE,
    DrawText = 0x062F,
};

// A function number some Windows writer uses; anything else in a record is
// damage (a flipped bit, a misread length).
inline bool isKnownRecord(uint16_t f)
{
    switch (f) {
    case Eof:
    case SaveDC:
    case RealizePalette:
    case SetPalEntries:
    case CreatePalette:
    case SetBkMode:
    case SetMapMode:
    case SetRop2:
    case SetRelAbs:
    case SetPolyFillMode:
    case SetStretchBltMode:
    case SetTextCharExtra:
    case RestoreDC:
    case InvertRegion:
    case PaintRegion:
    case SelectClipRegion:
    case SelectObject:
    case SetTextAlign:
    case ResizePalette:
    case DibCreatePatternBrush:
    case SetLayout:
    case DeleteObject:
    case CreatePatternBrush:
    case SetBkColor:
    case SetTextColor:
    case SetTextJustification:
    case SetWindowOrg:
    case SetWindowExt:
    case SetViewportOrg:
    case SetViewportExt:
    case OffsetWindowOrg:
    case OffsetViewportOrg:
    case LineTo:
    case MoveTo:
    case OffsetClipRgn:
    case FillRegion:
    case SetMapperFlags:
    case SelectPalette:
    case CreatePenIndirect:
    case CreateFontIndirect:
    case CreateBrushIndirect:
    case Polygon:
    case Polyline:
    case ScaleWindowExt:
    case ScaleViewportExt:
    case ExcludeClipRect:
    case IntersectClipRect:
    case Ellipse:
    case FloodFill:
    case Rectangle:
    case SetPixel:
    case FrameRegion:
    case AnimatePalette:
    case TextOut:
    case PolyPolygon:
    case ExtFloodFill:
    case RoundRect:
    case PatBlt:
    case Escape:
    case CreateRegion:
    case Arc:
    case Pie:
    case Chord:
    case BitBlt:
    case DibBitBlt:
    case ExtTextOut:
    case StretchBlt:
    case DibStretchBlt:
    case SetDibToDev:
    case StretchDib:
    case CreateBitmapIndirect:
    case CreateBitmap:
    case DrawText: return true;
    default: return false;
    }
}

} // namespace wmf::rec
