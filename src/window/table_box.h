// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of the best players as a player reads it. The game hands over its text as
// it built it: a heading, then rows of a name, TABs and a score, joined by CR LF. Tab
// stops would push a longer name's score one stop further, so the box lays the rows out
// as two columns instead: names left-aligned, scores right-aligned. Only the display
// changes: a name too long for its column is shortened there with an ellipsis.

#include <string>
#include <string_view>
#include <vector>

#include <QDialog>
#include <QFontMetrics>

namespace quorvane {

// A line of the text: a heading (no TAB) or a row split at its last run of TABs.
struct TableLine {
    std::string name;   // the heading's text, or the row's name
    std::string score;  // empty for a heading
    bool heading = true;
};
std::vector<TableLine> SplitTable(const std::string& text);
// True when the text holds a row with a TAB: it is shown as a table.
bool HasColumns(const std::string& text);

// The name as the table shows it: control characters as blanks, at most `maxWidth`
// pixels in `metrics`, ending in an ellipsis where it was shortened. However long the
// name, only its first few hundred characters are looked at.
QString ShownName(std::string_view name, const QFontMetrics& metrics, int maxWidth);

class TableBox : public QDialog {
public:
    // The widest a name may show, in average character widths of the box's font.
    static constexpr int NameColumnChars = 32;

    TableBox(const std::string& text, const QString& title, QWidget* parent = nullptr);
};

}  // namespace quorvane
