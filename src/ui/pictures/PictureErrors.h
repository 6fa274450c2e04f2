#pragma once

#include "util/Errors.h"

#include <QSize>

// A picture file name whose extension names no format the program writes.
class EPictureFormatError : public EVibronaError {
public:
    explicit EPictureFormatError(const QString& AFileName)
        : EVibronaError(QStringLiteral("Unknown picture format of %1; use .emf, .svg, .pdf or .png")
                            .arg(AFileName)) {}
};

// A picture without pixels.
class EPictureSizeError : public EVibronaError {
public:
    explicit EPictureSizeError(QSize ASize)
        : EVibronaError(
              QStringLiteral("Invalid picture size %1x%2").arg(ASize.width()).arg(ASize.height())) {
    }
};
