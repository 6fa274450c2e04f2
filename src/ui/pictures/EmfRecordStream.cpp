// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/EmfRecordStream.h"

#include <QtGlobal>

#include <cmath>

// The records are built in the machine's byte order; EMF is little-endian.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "EMF records are written in native byte order");

namespace {

constexpr uint32_t InitialBytes = 64 * 1024;
constexpr uint32_t GrowBytes = 1024 * 1024;
constexpr uint32_t InitialHandles = 64;
constexpr uint32_t GrowHandles = 64;

// A reference device of 1920 x 1440 pixels is exactly 508 x 381 mm at 96 dpi, so
// readers that scale by the device's pixels per millimetre get 96 dpi without rounding.
constexpr int ReferenceWidthPx = 1920;
constexpr int ReferenceHeightPx = 1440;

int32_t HundredthsOfMm(int APixels) {
    return static_cast<int32_t>(std::lround(APixels * 2540.0 / EmfDpi));
}

char* HeaderRecord(QSize ASize) {
    // Bounds and frame are inclusive, hence the - 1.
    const U_RECTL Bounds{0, 0, ASize.width() - 1, ASize.height() - 1};
    const U_RECTL Frame{0, 0, HundredthsOfMm(ASize.width()) - 1,
                        HundredthsOfMm(ASize.height()) - 1};
    const U_SIZEL DevicePx{ReferenceWidthPx, ReferenceHeightPx};
    const U_SIZEL DeviceMm{ReferenceWidthPx * 254 / (EmfDpi * 10),
                           ReferenceHeightPx * 254 / (EmfDpi * 10)};
    return U_EMRHEADER_set(Bounds, Frame, nullptr, 0, nullptr, DevicePx, DeviceMm, 0);
}

} // namespace

void TEmfRecordStream::TTrackDeleter::operator()(EMFTRACK* ATrack) const noexcept {
    emf_free(&ATrack);
}

void TEmfRecordStream::THandlesDeleter::operator()(EMFHANDLES* AHandles) const noexcept {
    emf_htable_free(&AHandles);
}

TEmfRecordStream::TEmfRecordStream(QSize ASize) {
    // emf_start would open a file; the same track is set up here without one, so that
    // emf_free can release it.
    auto* Track = static_cast<EMFTRACK*>(std::calloc(1, sizeof(EMFTRACK)));
    if (Track) {
        Track->buf = static_cast<char*>(std::malloc(InitialBytes));
        Track->allocated = Track->buf ? InitialBytes : 0;
        Track->chunk = GrowBytes;
        FTrack.reset(Track);
    }
    EMFHANDLES* Handles = nullptr;
    if (emf_htable_create(InitialHandles, GrowHandles, &Handles) == 0)
        FHandles.reset(Handles);
    FFailed = !FTrack || !FTrack->buf || !FHandles;
    Append(HeaderRecord(ASize));
}

TEmfRecordStream::~TEmfRecordStream() = default;

void TEmfRecordStream::Append(char* ARecord) {
    TMallocPtr<char> Record(ARecord);
    if (FFailed)
        return;
    if (!Record ||
        emf_append(reinterpret_cast<U_ENHMETARECORD*>(Record.get()), FTrack.get(), 0) != 0)
        FFailed = true;
}

QByteArray TEmfRecordStream::Finish() {
    if (!FFailed)
        Append(U_EMREOF_set(0, nullptr, FTrack.get()));
    if (FFailed)
        return {};
    // What emf_finish fills in before writing to its file.
    auto* Header = reinterpret_cast<U_EMRHEADER*>(FTrack->buf);
    Header->nBytes = static_cast<uint32_t>(FTrack->used);
    Header->nRecords = FTrack->records;
    Header->nHandles = static_cast<uint16_t>(FHandles->peak + 1);
    Header->nPalEntries = FTrack->PalEntries;
    return QByteArray(FTrack->buf, static_cast<qsizetype>(FTrack->used));
}
