// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/table_box.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace quorvane {
namespace {

// More than fits in the name column in any script: the rest is never measured.
constexpr std::size_t LookedAtChars = 256;
constexpr int ColumnGap = 24;

QLabel* PlainLabel(const QString& text, Qt::Alignment alignment, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    // Absolute: a name in a right-to-left script still starts at the column's left.
    label->setAlignment(alignment | Qt::AlignAbsolute | Qt::AlignVCenter);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// The first `count` characters of UTF-8 text, cut between characters.
std::string_view FirstChars(std::string_view text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && chars++ == count) return text.substr(0, i);
    }
    return text;
}

}  // namespace

std::vector<TableLine> SplitTable(const std::string& text) {
    std::vector<TableLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        const std::size_t lastTab = line.rfind('\t');
        if (lastTab == std::string_view::npos) {
            lines.push_back({std::string(line), {}, true});
        } else {
            const std::size_t nameEnd = line.find_last_not_of('\t', lastTab);
            const std::size_t nameLength = nameEnd == std::string_view::npos ? 0 : nameEnd + 1;
            lines.push_back({std::string(line.substr(0, nameLength)), std::string(line.substr(lastTab + 1)), false});
        }
        start = end + 2;
    }
    return lines;
}

bool HasColumns(const std::string& text) { return text.find('\t') != std::string::npos; }

QString ShownName(std::string_view name, const QFontMetrics& metrics, int maxWidth) {
    const std::string_view looked = FirstChars(name, LookedAtChars);
    QString shown = QString::fromUtf8(looked.data(), static_cast<qsizetype>(looked.size()));
    // One line per name: a line break or a TAB in a stored name shows as a blank.
    for (QChar& c : shown) {
        const QChar::Category kind = c.category();
        if (kind == QChar::Other_Control || kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    if (looked.size() < name.size()) shown += QChar(0x2026);
    return metrics.elidedText(shown, Qt::ElideRight, maxWidth);
}

TableBox::TableBox(const std::string& text, const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(ColumnGap);
    const int nameWidth = fontMetrics().averageCharWidth() * NameColumnChars;
    const auto label = [&](std::string_view shown, int width, Qt::Alignment alignment, const char* name) {
        return PlainLabel(ShownName(shown, fontMetrics(), width), alignment, name, this);
    };
    int row = 0;
    for (const TableLine& line : SplitTable(text)) {
        if (line.heading) {
            // A heading before the rows stands above them; one among them spans both columns.
            QLabel* heading = label(line.name, nameWidth * 2, Qt::AlignLeft, "heading");
            if (row == 0)
                layout->addWidget(heading);
            else
                rows->addWidget(heading, row++, 0, 1, 2);
            continue;
        }
        rows->addWidget(label(line.name, nameWidth, Qt::AlignLeft, "name"), row, 0);
        rows->addWidget(label(line.score, nameWidth, Qt::AlignRight, "score"), row, 1);
        ++row;
    }
    layout->addLayout(rows);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace quorvane
