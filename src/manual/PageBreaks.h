// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QTextDocument;

// Moves to the next page what a page break must not cut, once the document has its page
// size: a table row, two rows at least on either side of a break in a table (a part of
// a table that moves repeats the header row), and a heading or a one-line lead-in ending
// in ":" at the foot of a page away from what it introduces. Then ends every paragraph
// at a page break, so that no line is drawn on two pages.
void KeepTogether(QTextDocument& ADocument);
