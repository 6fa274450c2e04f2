// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>
#include <QString>

#include <vector>

// A place in the PDF: a page, counted from 0, and a height on it in points from its top.
struct TPdfPlace {
    int Page = 0;
    double Top = 0;
};

// An entry of the bookmark pane: level 1 for a chapter, 2 for a section of the chapter
// before it.
struct TPdfBookmark {
    QString Title;
    int Level = 1;
    TPdfPlace Target;
};

// A clickable area, in points from the top left corner of its page, that leads to a place.
struct TPdfLink {
    int Page = 0;
    QRectF Area;
    TPdfPlace Target;
};

// Adds the bookmarks and the links to a PDF that QPdfWriter has written, which has no
// means for either, as an incremental update appended to the file. Returns an error
// text, empty when the file was updated.
QString AddBookmarksAndLinks(const QString& APath, const std::vector<TPdfBookmark>& ABookmarks,
                             const std::vector<TPdfLink>& ALinks);
