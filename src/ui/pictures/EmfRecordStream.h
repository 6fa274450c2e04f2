// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QSize>

#include <cstdlib>
#include <memory>

#include <uemf.h>

// Frees what libuemf allocated with malloc.
struct TFreeDeleter {
    void operator()(void* APointer) const noexcept { std::free(APointer); }
};
template <class T> using TMallocPtr = std::unique_ptr<T, TFreeDeleter>;

// An enhanced metafile being built in memory: its records and its object table.
// The records never go to a file from here; the caller writes the finished bytes
// (atomically), so the libuemf track is made without a file.
class TEmfRecordStream {
public:
    // Starts with the header of a picture ASize pixels large at 96 dpi.
    explicit TEmfRecordStream(QSize ASize);
    ~TEmfRecordStream();
    TEmfRecordStream(const TEmfRecordStream&) = delete;
    TEmfRecordStream& operator=(const TEmfRecordStream&) = delete;

    // Appends a record made by one of libuemf's *_set functions and frees it. A null
    // record (libuemf could not make it) or a failed append makes the stream fail;
    // after that nothing more is appended.
    void Append(char* ARecord);
    bool Failed() const { return FFailed; }
    EMFHANDLES* Handles() const { return FHandles.get(); }

    // Appends the end record and completes the header; empty when the stream failed.
    QByteArray Finish();

private:
    struct TTrackDeleter {
        void operator()(EMFTRACK* ATrack) const noexcept;
    };
    struct THandlesDeleter {
        void operator()(EMFHANDLES* AHandles) const noexcept;
    };

    std::unique_ptr<EMFTRACK, TTrackDeleter> FTrack;
    std::unique_ptr<EMFHANDLES, THandlesDeleter> FHandles;
    bool FFailed = false;
};

// Pixels per inch of the picture: one logical unit is one pixel of the chart on screen.
inline constexpr int EmfDpi = 96;
