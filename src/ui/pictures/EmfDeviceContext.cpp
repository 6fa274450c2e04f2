// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/EmfDeviceContext.h"

#include "ui/pictures/EmfGeometry.h"

#include <QBrush>
#include <QFont>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Bounds the object table; a chart uses a few dozen objects.
constexpr qsizetype MaxObjects = 256;

U_COLORREF ColorRef(const QColor& AColor) {
    const QColor Rgb = AColor.toRgb();
    return colorref3_set(static_cast<uint8_t>(Rgb.red()), static_cast<uint8_t>(Rgb.green()),
                         static_cast<uint8_t>(Rgb.blue()));
}

uint32_t ColorValue(U_COLORREF AColor) {
    return uint32_t(AColor.Red) | uint32_t(AColor.Green) << 8 | uint32_t(AColor.Blue) << 16;
}

template <class T> QByteArray KeyOf(char AKind, const T* AData, size_t ASize) {
    QByteArray Key(1, AKind);
    Key.append(reinterpret_cast<const char*>(AData), static_cast<qsizetype>(ASize));
    return Key;
}

uint32_t PenStyle(const QPen& APen) {
    uint32_t Style = U_PS_GEOMETRIC;
    switch (APen.style()) {
    case Qt::DashLine:
        Style |= U_PS_DASH;
        break;
    case Qt::DotLine:
        Style |= U_PS_DOT;
        break;
    case Qt::DashDotLine:
        Style |= U_PS_DASHDOT;
        break;
    case Qt::DashDotDotLine:
        Style |= U_PS_DASHDOTDOT;
        break;
    case Qt::CustomDashLine:
        Style |= U_PS_USERSTYLE;
        break;
    default:
        Style |= U_PS_SOLID;
        break;
    }
    // Readers put the caps on every dash, which turns a dotted line with square caps
    // into a dashed one: dashes get flat caps.
    if (APen.style() != Qt::SolidLine || APen.capStyle() == Qt::FlatCap)
        Style |= U_PS_ENDCAP_FLAT;
    else if (APen.capStyle() == Qt::RoundCap)
        Style |= U_PS_ENDCAP_ROUND;
    else
        Style |= U_PS_ENDCAP_SQUARE;
    switch (APen.joinStyle()) {
    case Qt::RoundJoin:
        Style |= U_PS_JOIN_ROUND;
        break;
    case Qt::BevelJoin:
        Style |= U_PS_JOIN_BEVEL;
        break;
    default:
        Style |= U_PS_JOIN_MITER;
        break;
    }
    return Style;
}

TMallocPtr<U_EXTLOGPEN> ExtLogPen(const QPen& APen, double AScale) {
    // A cosmetic pen keeps its width on the device; no line is thinner than a pixel.
    const double Pixels = APen.isCosmetic() ? APen.widthF() : APen.widthF() * AScale;
    const auto Width = static_cast<uint32_t>(EmfUnits(std::max(1.0, Pixels)));
    std::vector<U_STYLEENTRY> Dashes;
    if (APen.style() == Qt::CustomDashLine) {
        // Qt's dash lengths are in pen widths.
        for (const qreal Length : APen.dashPattern())
            Dashes.push_back(static_cast<U_STYLEENTRY>(std::max(1L, std::lround(Length * Width))));
    }
    return TMallocPtr<U_EXTLOGPEN>(extlogpen_set(
        PenStyle(APen), Width, U_BS_SOLID, ColorRef(EmfBrushColor(APen.brush())), 0,
        static_cast<U_NUM_STYLEENTRY>(Dashes.size()), Dashes.empty() ? nullptr : Dashes.data()));
}

double FontPixels(const QFont& AFont) {
    if (AFont.pixelSize() > 0)
        return AFont.pixelSize();
    return AFont.pointSizeF() * EmfDpi / 72.0;
}

U_LOGFONT LogFont(const QFont& AFont, double AScale, double AAngle) {
    std::vector<uint16_t> Face(U_LF_FACESIZE, 0);
    const QString Family = AFont.family().left(U_LF_FACESIZE - 1);
    std::copy(Family.utf16(), Family.utf16() + Family.size(), Face.begin());
    // GDI turns text counter-clockwise, in tenths of a degree.
    const long Tenths = std::lround(-AAngle * 10.0) % 3600;
    const auto Escapement = static_cast<int32_t>(Tenths < 0 ? Tenths + 3600 : Tenths);
    // A negative height asks for the character (em) height rather than the cell height;
    // whole pixels, as a screen font of that size gets (8 pt at 96 dpi: 11 px).
    const long Pixels = std::max(1L, std::lround(FontPixels(AFont) * AScale));
    const auto Height = static_cast<int32_t>(-Pixels * EmfUnitsPerPixel);
    return logfont_set(Height, 0, Escapement, Escapement, AFont.weight(), AFont.italic(),
                       AFont.underline(), AFont.strikeOut(), U_DEFAULT_CHARSET,
                       U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                       U_DEFAULT_PITCH | U_FF_DONTCARE, Face.data());
}

// Right and bottom edges left out, in pixels.
U_RECTL ExclusiveRect(const QRect& ARect) {
    return {ARect.left(), ARect.top(), ARect.left() + ARect.width(), ARect.top() + ARect.height()};
}

// A clip rectangle is in logical units, a clip region in pixels.
char* ClipRecord(const QRegion& AClip) {
    if (AClip.rectCount() <= 1) {
        const U_RECTL Pixels = ExclusiveRect(AClip.boundingRect());
        return U_EMRINTERSECTCLIPRECT_set(
            {Pixels.left * EmfUnitsPerPixel, Pixels.top * EmfUnitsPerPixel,
             Pixels.right * EmfUnitsPerPixel, Pixels.bottom * EmfUnitsPerPixel});
    }
    std::vector<U_RECTL> Rects;
    for (const QRect& Rect : AClip)
        Rects.push_back(ExclusiveRect(Rect));
    const U_RGNDATAHEADER Header = rgndataheader_set(static_cast<U_NUM_RECTL>(Rects.size()),
                                                     ExclusiveRect(AClip.boundingRect()));
    const TMallocPtr<U_RGNDATA> Region(rgndata_set(Header, Rects.data()));
    return Region ? U_EMREXTSELECTCLIPRGN_set(U_RGN_AND, Region.get()) : nullptr;
}

// Metafiles have no transparency: only fully transparent colours are dropped.
bool Visible(const QColor& AColor) {
    return AColor.isValid() && AColor.alpha() > 0;
}

} // namespace

QColor EmfBrushColor(const QBrush& ABrush) {
    const QGradient* Gradient = ABrush.gradient();
    if (!Gradient || Gradient->stops().isEmpty())
        return ABrush.color();
    double Red = 0, Green = 0, Blue = 0, Alpha = 0;
    const QGradientStops Stops = Gradient->stops();
    for (const QGradientStop& Stop : Stops) {
        Red += Stop.second.redF();
        Green += Stop.second.greenF();
        Blue += Stop.second.blueF();
        Alpha += Stop.second.alphaF();
    }
    const auto Count = static_cast<double>(Stops.size());
    return QColor::fromRgbF(float(Red / Count), float(Green / Count), float(Blue / Count),
                            float(Alpha / Count));
}

TEmfDeviceContext::TSelection TEmfDeviceContext::BaseSelection() {
    return {U_NULL_PEN, U_NULL_BRUSH, U_SYSTEM_FONT, 0, U_ALTERNATE};
}

TEmfDeviceContext::TEmfDeviceContext(TEmfRecordStream& AStream, QSize ASize)
    : FStream(AStream), FSelected(BaseSelection()) {
    FStream.Append(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    FStream.Append(U_EMRSETWINDOWEXTEX_set(
        {ASize.width() * EmfUnitsPerPixel, ASize.height() * EmfUnitsPerPixel}));
    FStream.Append(U_EMRSETVIEWPORTEXTEX_set({ASize.width(), ASize.height()}));
    FStream.Append(U_EMRSETBKMODE_set(U_TRANSPARENT));
    FStream.Append(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT | U_TA_NOUPDATECP));
    FStream.Append(U_EMRSETTEXTCOLOR_set(colorref3_set(0, 0, 0)));
    FStream.Append(U_EMRSETPOLYFILLMODE_set(U_ALTERNATE));
    FStream.Append(U_EMRSELECTOBJECT_set(U_NULL_PEN));
    FStream.Append(U_EMRSELECTOBJECT_set(U_NULL_BRUSH));
    FStream.Append(U_EMRSAVEDC_set());
}

void TEmfDeviceContext::Select(uint32_t& ASelected, uint32_t AHandle) {
    if (ASelected == AHandle)
        return;
    FStream.Append(selectobject_set(AHandle, FStream.Handles()));
    ASelected = AHandle;
}

template <class TMake> uint32_t TEmfDeviceContext::Created(const QByteArray& AKey, TMake AMake) {
    if (const auto Found = FCreated.constFind(AKey); Found != FCreated.constEnd())
        return *Found;
    if (FCreated.size() >= MaxObjects) {
        // Nothing of ours may stay selected while it is deleted.
        Select(FSelected.Pen, U_NULL_PEN);
        Select(FSelected.Brush, U_NULL_BRUSH);
        Select(FSelected.Font, U_SYSTEM_FONT);
        DeleteAll();
    }
    uint32_t Handle = 0;
    FStream.Append(AMake(&Handle));
    FCreated.insert(AKey, Handle);
    return Handle;
}

void TEmfDeviceContext::SelectPen(const QPen& APen, double AScale) {
    if (APen.style() == Qt::NoPen || !Visible(EmfBrushColor(APen.brush()))) {
        Select(FSelected.Pen, U_NULL_PEN);
        return;
    }
    const TMallocPtr<U_EXTLOGPEN> Pen = ExtLogPen(APen, AScale);
    if (!Pen) {
        FStream.Append(nullptr);
        return;
    }
    const size_t Size = sizeof(U_EXTLOGPEN) +
                        sizeof(U_STYLEENTRY) * std::max<size_t>(Pen->elpNumEntries, 1) -
                        sizeof(U_STYLEENTRY);
    Select(FSelected.Pen, Created(KeyOf('P', Pen.get(), Size), [&](uint32_t* AHandle) {
               return extcreatepen_set(AHandle, FStream.Handles(), nullptr, 0, nullptr, Pen.get());
           }));
}

void TEmfDeviceContext::SelectBrush(const QBrush& ABrush) {
    const QColor Color = EmfBrushColor(ABrush);
    if (ABrush.style() == Qt::NoBrush || !Visible(Color)) {
        Select(FSelected.Brush, U_NULL_BRUSH);
        return;
    }
    const U_LOGBRUSH Brush = logbrush_set(U_BS_SOLID, ColorRef(Color), 0);
    Select(FSelected.Brush, Created(KeyOf('B', &Brush, sizeof Brush), [&](uint32_t* AHandle) {
               return createbrushindirect_set(AHandle, FStream.Handles(), Brush);
           }));
}

void TEmfDeviceContext::SelectFont(const QFont& AFont, double AScale, double AAngle) {
    const U_LOGFONT Font = LogFont(AFont, AScale, AAngle);
    Select(FSelected.Font, Created(KeyOf('F', &Font, sizeof Font), [&](uint32_t* AHandle) {
               return extcreatefontindirectw_set(AHandle, FStream.Handles(),
                                                 reinterpret_cast<const char*>(&Font), nullptr);
           }));
}

void TEmfDeviceContext::SetTextColor(const QColor& AColor) {
    const U_COLORREF Color = ColorRef(AColor);
    if (ColorValue(Color) == FSelected.TextColor)
        return;
    FStream.Append(U_EMRSETTEXTCOLOR_set(Color));
    FSelected.TextColor = ColorValue(Color);
}

void TEmfDeviceContext::SetFillMode(Qt::FillRule ARule) {
    const uint32_t Mode = ARule == Qt::WindingFill ? U_WINDING : U_ALTERNATE;
    if (Mode == FSelected.FillMode)
        return;
    FStream.Append(U_EMRSETPOLYFILLMODE_set(Mode));
    FSelected.FillMode = Mode;
}

void TEmfDeviceContext::SetClip(const std::optional<QRegion>& AClip) {
    if (AClip == FClip)
        return;
    FStream.Append(U_EMRRESTOREDC_set(-1));
    FStream.Append(U_EMRSAVEDC_set());
    FSelected = BaseSelection();
    FClip = AClip;
    if (FClip)
        FStream.Append(ClipRecord(*FClip));
}

void TEmfDeviceContext::Close() {
    FStream.Append(U_EMRRESTOREDC_set(-1));
    FSelected = BaseSelection();
    FClip.reset();
    DeleteAll();
}

void TEmfDeviceContext::DeleteAll() {
    for (uint32_t Handle : std::as_const(FCreated))
        FStream.Append(deleteobject_set(&Handle, FStream.Handles()));
    FCreated.clear();
}
