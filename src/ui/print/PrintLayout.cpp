#include "ui/print/PrintLayout.h"

#include <utility>

#include "system/Utf8.h"

namespace {

// A cell's lines: each paragraph wrapped within the width.
std::vector<std::string> CellLines(const PrintCell& cell, int width, bool bold, const PrintMeasure& measure) {
    std::vector<std::string> lines;
    auto fits = [&](const std::string& text) { return measure.fits(text, width, bold); };
    for (const std::string& paragraph : cell) {
        for (std::string& piece : WrapPrintLine(paragraph, fits)) lines.push_back(std::move(piece));
    }
    return lines;
}

class TablePager {
public:
    TablePager(const std::vector<std::string>& heading, const PrintTable& table, const PrintFrame& frame,
               const PrintMeasure& measure)
        : table_(table), frame_(frame), measure_(measure) {
        lineHeight_ = frame.lineHeight > 0 ? frame.lineHeight : 1;
        gap_ = frame.gap > 0 ? frame.gap : 0;
        textLeft_ = frame.left;
        textRight_ = frame.pageWidth - frame.right;
        if (textRight_ <= textLeft_) textRight_ = textLeft_ + 1;
        footerTop_ = frame.pageHeight - frame.bottom - lineHeight_;
        LayOutColumns();
        for (size_t i = 0; i < heading.size(); ++i) {
            for (std::string& piece : CellLines({heading[i]}, textRight_ - textLeft_, i == 0, measure)) {
                heading_.push_back({std::move(piece), i == 0});
            }
        }
        for (size_t c = 0; c < table.columns.size(); ++c) {
            captions_.push_back(CellLines({table.columns[c].caption}, layout_.columnWidth[c], true, measure));
        }
    }

    TableLayout Run(const PageFooterFn& footer) {
        StartPage();
        for (const PrintRow& row : table_.rows) PlaceRow(row);
        const int pages = static_cast<int>(layout_.pages.size());
        for (int page = 0; page < pages; ++page) {
            const std::string text = footer ? footer(page + 1, pages) : std::string();
            if (text.empty()) continue;
            const int x = textRight_ - measure_.width(text, false);
            layout_.pages[static_cast<size_t>(page)].texts.push_back(
                {x > textLeft_ ? x : textLeft_, footerTop_, text, false});
        }
        return std::move(layout_);
    }

private:
    void LayOutColumns() {
        const size_t count = table_.columns.size();
        int total = 0;
        for (const PrintColumn& column : table_.columns) total += column.weight > 0 ? column.weight : 1;
        const int room = textRight_ - textLeft_ - gap_ * static_cast<int>(count > 0 ? count - 1 : 0);
        int x = textLeft_;
        for (size_t c = 0; c < count; ++c) {
            const int weight = table_.columns[c].weight > 0 ? table_.columns[c].weight : 1;
            // The last column takes what rounding left over, so the table ends at the margin.
            int width =
                c + 1 == count ? textRight_ - x : static_cast<int>(static_cast<long long>(room) * weight / total);
            if (width < 1) width = 1;
            layout_.columnLeft.push_back(x);
            layout_.columnWidth.push_back(width);
            x += width + gap_;
        }
    }

    PrintedPage& Page() { return layout_.pages.back(); }

    void StartPage() {
        layout_.pages.emplace_back();
        int y = frame_.top;
        for (size_t i = 0; i < heading_.size(); ++i, y += lineHeight_) {
            Page().texts.push_back({textLeft_, y, heading_[i].first, heading_[i].second});
        }
        if (!heading_.empty()) {
            Page().rules.push_back(y + gap_ / 2);
            y += gap_;
        }
        size_t captionLines = 0;
        for (size_t c = 0; c < captions_.size(); ++c) {
            for (size_t k = 0; k < captions_[c].size(); ++k) {
                Page().texts.push_back(
                    {layout_.columnLeft[c], y + static_cast<int>(k) * lineHeight_, captions_[c][k], true});
            }
            if (captions_[c].size() > captionLines) captionLines = captions_[c].size();
        }
        y += static_cast<int>(captionLines) * lineHeight_;
        Page().rules.push_back(y + gap_ / 2);
        y += gap_;
        firstRowTop_ = y;
        y_ = y;
    }

    // Room below y for one more line of rows: the footer keeps a gap clear.
    bool Fits(int height) const { return y_ + height <= footerTop_ - gap_; }

    void PlaceRow(const PrintRow& row) {
        std::vector<std::vector<std::string>> cells;
        size_t lines = 1;
        for (size_t c = 0; c < table_.columns.size(); ++c) {
            cells.push_back(c < row.size() ? CellLines(row[c], layout_.columnWidth[c], false, measure_)
                                           : std::vector<std::string>());
            if (cells.back().size() > lines) lines = cells.back().size();
        }
        // A row that fits a page is never split: it starts a page of its own
        // when it does not fit the rest of this one. A page always takes at
        // least one line, so paging ends whatever the sizes.
        if (y_ > firstRowTop_ && !Fits(static_cast<int>(lines) * lineHeight_)) {
            StartPage();
        } else if (y_ > firstRowTop_) {
            Page().rules.push_back(y_ - gap_ / 2);
        }
        for (size_t k = 0; k < lines; ++k) {
            if (y_ > firstRowTop_ && !Fits(lineHeight_)) StartPage();
            for (size_t c = 0; c < cells.size(); ++c) {
                if (k < cells[c].size() && !cells[c][k].empty()) {
                    Page().texts.push_back({layout_.columnLeft[c], y_, cells[c][k], false});
                }
            }
            y_ += lineHeight_;
        }
        y_ += gap_;
    }

    const PrintTable& table_;
    const PrintFrame& frame_;
    const PrintMeasure& measure_;
    int lineHeight_ = 1;
    int gap_ = 0;
    int textLeft_ = 0;
    int textRight_ = 1;
    int footerTop_ = 0;
    int firstRowTop_ = 0;
    int y_ = 0;
    std::vector<std::pair<std::string, bool>> heading_;  // with whether it is bold
    std::vector<std::vector<std::string>> captions_;
    TableLayout layout_;
};

}  // namespace

TableLayout LayOutTable(const std::vector<std::string>& heading, const PrintTable& table, const PrintFrame& frame,
                        const PrintMeasure& measure, const PageFooterFn& footer) {
    return TablePager(heading, table, frame, measure).Run(footer);
}

std::vector<std::string> WrapPrintLine(const std::string& line,
                                       const std::function<std::size_t(const std::string&)>& fits) {
    std::size_t indentLength = line.find_first_not_of(' ');
    std::string indent = line.substr(0, indentLength == std::string::npos ? 0 : indentLength);
    std::vector<std::string> pieces;
    std::string rest = line;
    // Spaces of the indent are not break points.
    const std::size_t prefix = indent.size();
    while (true) {
        std::size_t fitting = fits(rest);
        if (fitting >= rest.size()) {
            pieces.push_back(rest);
            break;
        }
        // The break: after the last space that fits, else where the width ends.
        std::size_t cut = std::string::npos;
        for (std::size_t i = fitting; i > prefix; --i) {
            if (rest[i] == ' ') {
                cut = i;
                break;
            }
        }
        // At least one whole character: a UTF-8 sequence is never split.
        if (cut == std::string::npos || cut <= prefix) {
            cut = fitting > prefix ? fitting : prefix + ReadCodePoint(rest, prefix).length;
        }
        std::string piece = rest.substr(0, cut);
        while (piece.size() > prefix && piece.back() == ' ') piece.pop_back();
        pieces.push_back(piece);
        std::size_t next = rest.find_first_not_of(' ', cut);
        if (next == std::string::npos) break;
        rest = indent + rest.substr(next);
    }
    return pieces;
}
