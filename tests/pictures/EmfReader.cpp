// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EmfReader.h"

#include <map>
#include <variant>

#include <uemf_endian.h>
#include <uemf_safe.h>

namespace {

using TObject = std::variant<TEmfPen, QColor, TEmfFont>;

struct TState {
    std::optional<TEmfPen> Pen;
    std::optional<QColor> Brush = QColor(Qt::white);
    std::optional<TEmfFont> Font;
    uint32_t PenHandle = U_BLACK_PEN;
    uint32_t BrushHandle = U_WHITE_BRUSH;
    uint32_t FontHandle = U_SYSTEM_FONT;
    QColor TextColor = Qt::black;
    std::optional<QRect> Clip;
    // Logical units to pixels.
    bool Anisotropic = false;
    QSizeF Window{1, 1};
    QSizeF Viewport{1, 1};
    double ScaleX() const { return Anisotropic ? Viewport.width() / Window.width() : 1.0; }
    double ScaleY() const { return Anisotropic ? Viewport.height() / Window.height() : 1.0; }
    QPoint Map(int32_t AX, int32_t AY) const {
        return QPoint(qRound(AX * ScaleX()), qRound(AY * ScaleY()));
    }
};

QColor ColorOf(U_COLORREF AColor) {
    return QColor(AColor.Red, AColor.Green, AColor.Blue);
}

template <class TRecord> const TRecord& As(const char* ARecord) {
    return *reinterpret_cast<const TRecord*>(ARecord);
}

QRect BoxOf(const std::vector<QPoint>& APoints) {
    QRect Box;
    for (const QPoint& Point : APoints)
        Box = Box.united(QRect(Point, QSize(1, 1)));
    return Box;
}

template <class TPoint>
std::vector<QPoint> PointsOf(const TPoint* APoints, uint32_t ACount, const TState& AState) {
    std::vector<QPoint> Result;
    for (uint32_t i = 0; i < ACount; ++i)
        Result.push_back(AState.Map(APoints[i].x, APoints[i].y));
    return Result;
}

class TPlayer {
public:
    explicit TPlayer(TEmfFile& AFile) : FFile(AFile) {}

    void Play(const char* ARecord, uint32_t AType) {
        switch (AType) {
        case U_EMR_EXTCREATEPEN: {
            const auto& Pen = As<U_EMREXTCREATEPEN>(ARecord);
            Create(Pen.ihPen, TEmfPen{Pen.elp.elpPenStyle, Pen.elp.elpWidth * FState.ScaleX(),
                                      ColorOf(Pen.elp.elpColor)});
            break;
        }
        case U_EMR_CREATEBRUSHINDIRECT: {
            const auto& Brush = As<U_EMRCREATEBRUSHINDIRECT>(ARecord);
            Create(Brush.ihBrush, ColorOf(Brush.lb.lbColor));
            break;
        }
        case U_EMR_EXTCREATEFONTINDIRECTW: {
            const auto& Font = As<U_EMREXTCREATEFONTINDIRECTW>(ARecord);
            const U_LOGFONT& Log = Font.elfw.elfLogFont;
            Create(Font.ihFont,
                   TEmfFont{Log.lfHeight * FState.ScaleY(), Log.lfWeight, Log.lfEscapement,
                            QString::fromUtf16(reinterpret_cast<const char16_t*>(Log.lfFaceName))});
            break;
        }
        case U_EMR_SELECTOBJECT:
            Select(As<U_EMRSELECTOBJECT>(ARecord).ihObject);
            break;
        case U_EMR_DELETEOBJECT:
            Delete(As<U_EMRDELETEOBJECT>(ARecord).ihObject);
            break;
        case U_EMR_SETMAPMODE:
            FState.Anisotropic = As<U_EMRSETMAPMODE>(ARecord).iMode == U_MM_ANISOTROPIC;
            break;
        case U_EMR_SETWINDOWEXTEX: {
            const U_SIZEL& Extent = As<U_EMRSETWINDOWEXTEX>(ARecord).szlExtent;
            FState.Window = QSizeF(Extent.cx, Extent.cy);
            break;
        }
        case U_EMR_SETVIEWPORTEXTEX: {
            const U_SIZEL& Extent = As<U_EMRSETVIEWPORTEXTEX>(ARecord).szlExtent;
            FState.Viewport = QSizeF(Extent.cx, Extent.cy);
            break;
        }
        case U_EMR_SAVEDC:
            FSaved.push_back(FState);
            break;
        case U_EMR_RESTOREDC:
            Restore(As<U_EMRRESTOREDC>(ARecord).iRelative);
            break;
        case U_EMR_SETTEXTCOLOR:
            FState.TextColor = ColorOf(As<U_EMRSETTEXTCOLOR>(ARecord).crColor);
            break;
        case U_EMR_INTERSECTCLIPRECT: {
            const U_RECTL& Rect = As<U_EMRINTERSECTCLIPRECT>(ARecord).rclClip;
            const QRect Clip(FState.Map(Rect.left, Rect.top),
                             FState.Map(Rect.right, Rect.bottom) - QPoint(1, 1));
            FState.Clip = FState.Clip ? FState.Clip->intersected(Clip) : Clip;
            break;
        }
        case U_EMR_EXTSELECTCLIPRGN: {
            // Regions are in pixels; the box of the region is enough here.
            const auto& Select = As<U_EMREXTSELECTCLIPRGN>(ARecord);
            const U_RECTL& Box = Select.RgnData[0].rdh.rclBounds;
            const QRect Clip(QPoint(Box.left, Box.top), QPoint(Box.right - 1, Box.bottom - 1));
            if (Select.iMode == U_RGN_COPY || !FState.Clip)
                FState.Clip = Clip;
            else if (Select.iMode == U_RGN_AND)
                FState.Clip = FState.Clip->intersected(Clip);
            else
                Fault(QStringLiteral("clip region mode %1").arg(Select.iMode));
            break;
        }
        case U_EMR_POLYLINE:
        case U_EMR_POLYGON: {
            const auto& Poly = As<U_EMRPOLYLINE>(ARecord);
            Draw(AType, PointsOf(Poly.aptl, Poly.cptl, FState));
            break;
        }
        case U_EMR_POLYLINE16:
        case U_EMR_POLYGON16: {
            const auto& Poly = As<U_EMRPOLYLINE16>(ARecord);
            Draw(AType, PointsOf(Poly.apts, Poly.cpts, FState));
            break;
        }
        case U_EMR_RECTANGLE: {
            const U_RECTL& Box = As<U_EMRRECTANGLE>(ARecord).rclBox;
            Draw(AType, {FState.Map(Box.left, Box.top), FState.Map(Box.right, Box.bottom)});
            break;
        }
        case U_EMR_EXTTEXTOUTW: {
            const auto& Text = As<U_EMREXTTEXTOUTW>(ARecord);
            TEmfDrawing& Drawing =
                Draw(AType, {FState.Map(Text.emrtext.ptlReference.x, Text.emrtext.ptlReference.y)});
            Drawing.Text = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(ARecord + Text.emrtext.offString),
                Text.emrtext.nChars);
            break;
        }
        case U_EMR_STRETCHDIBITS:
            Draw(AType, {});
            break;
        case U_EMR_EOF:
            if (!FSaved.empty())
                Fault(QStringLiteral("%1 saved states left at the end").arg(FSaved.size()));
            break;
        default:
            break;
        }
    }

private:
    void Fault(const QString& AText) {
        if (FFile.Fault.isEmpty())
            FFile.Fault = AText;
    }

    void Create(uint32_t AHandle, const TObject& AObject) {
        if (FObjects.count(AHandle))
            Fault(QStringLiteral("object %1 created twice").arg(AHandle));
        FObjects[AHandle] = AObject;
    }

    void Select(uint32_t AHandle) {
        switch (AHandle) {
        case U_NULL_PEN:
            FState.Pen.reset();
            FState.PenHandle = AHandle;
            return;
        case U_NULL_BRUSH:
            FState.Brush.reset();
            FState.BrushHandle = AHandle;
            return;
        case U_SYSTEM_FONT:
            FState.Font.reset();
            FState.FontHandle = AHandle;
            return;
        default:
            break;
        }
        const auto Found = FObjects.find(AHandle);
        if (Found == FObjects.end()) {
            Fault(QStringLiteral("object %1 selected but not created").arg(AHandle));
            return;
        }
        if (const auto* Pen = std::get_if<TEmfPen>(&Found->second)) {
            FState.Pen = *Pen;
            FState.PenHandle = AHandle;
        } else if (const auto* Brush = std::get_if<QColor>(&Found->second)) {
            FState.Brush = *Brush;
            FState.BrushHandle = AHandle;
        } else {
            FState.Font = std::get<TEmfFont>(Found->second);
            FState.FontHandle = AHandle;
        }
    }

    void Delete(uint32_t AHandle) {
        if (!FObjects.erase(AHandle))
            Fault(QStringLiteral("object %1 deleted but not created").arg(AHandle));
        if (AHandle == FState.PenHandle || AHandle == FState.BrushHandle ||
            AHandle == FState.FontHandle)
            Fault(QStringLiteral("object %1 deleted while selected").arg(AHandle));
    }

    void Restore(int32_t ARelative) {
        const size_t Count = static_cast<size_t>(-ARelative);
        if (ARelative >= 0 || Count > FSaved.size()) {
            Fault(QStringLiteral("RESTOREDC %1 without a saved state").arg(ARelative));
            return;
        }
        FState = FSaved[FSaved.size() - Count];
        FSaved.resize(FSaved.size() - Count);
    }

    TEmfDrawing& Draw(uint32_t AType, const std::vector<QPoint>& APoints) {
        TEmfDrawing Drawing{AType,       BoxOf(APoints),   APoints.size(), FState.Pen, FState.Brush,
                            FState.Font, FState.TextColor, QString(),      FState.Clip};
        FFile.Drawings.push_back(Drawing);
        return FFile.Drawings.back();
    }

    TEmfFile& FFile;
    std::map<uint32_t, TObject> FObjects;
    TState FState;
    std::vector<TState> FSaved;
};

} // namespace

TEmfFile ReadEmf(const QByteArray& AData) {
    TEmfFile File;
    TPlayer Player(File);
    const char* const End = AData.constData() + AData.size();
    const char* Record = AData.constData();
    while (Record < End && File.Fault.isEmpty()) {
        uint32_t Size = 0;
        uint32_t Type = 0;
        // torev 1: the records are in this machine's (little-endian) order.
        if (!U_emf_record_sizeok(Record, End, &Size, &Type, 1) || !U_emf_record_safe(Record)) {
            File.Fault = QStringLiteral("record %1 fails libuemf's checks").arg(File.Types.size());
            break;
        }
        if (File.Types.empty()) {
            if (Type != U_EMR_HEADER)
                File.Fault = QStringLiteral("the first record is not a header");
            else
                File.Header = As<U_EMRHEADER>(Record);
        }
        File.Types.push_back(Type);
        Player.Play(Record, Type);
        Record += Size;
    }
    if (File.Fault.isEmpty() && (File.Types.empty() || File.Types.back() != U_EMR_EOF))
        File.Fault = QStringLiteral("no end record");
    if (File.Fault.isEmpty() && (File.Header.nBytes != static_cast<uint32_t>(AData.size()) ||
                                 File.Header.nRecords != File.Types.size()))
        File.Fault = QStringLiteral("the header's totals do not match the records");
    return File;
}
