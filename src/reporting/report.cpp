#include "reporting/report.h"

#include "core/dates.h"
#include "core/main_texts.h"

#include <fmt/format.h>

#include <cmath>
#include <set>

namespace fennory::report {

Format parseFormat(const std::string& code) {
    if (code == "%2.2n") {
        return Format::Number;
    }
    if (code == "%2.2f") {
        return Format::Fixed;
    }
    return Format::Text;
}

std::string formatValue(const Value& v, Format f) {
    if (f == Format::Text) {
        if (auto m = std::get_if<Money>(&v)) {
            return m->toPlain();
        }
        if (auto i = std::get_if<std::int64_t>(&v)) {
            return std::to_string(*i);
        }
        if (auto s = std::get_if<std::string>(&v)) {
            return *s;
        }
        return {};
    }
    Money m;
    if (auto mm = std::get_if<Money>(&v)) {
        m = *mm;
    } else if (auto i = std::get_if<std::int64_t>(&v)) {
        m = Money::yuan(*i);
    } else if (auto s = std::get_if<std::string>(&v)) {
        m = Money::parse(*s).value_or(Money());
    }
    return f == Format::Number ? m.toDisplay() : m.toFixed2();
}

int Layout::rowsPerPage() const {
    double body = height() - marginTop - marginBottom - pageHeader.height - columnHeader.height -
                  pageFooter.height;
    if (data.height <= 0) {
        return 1;
    }
    int n = static_cast<int>(std::floor(body / data.height + 1e-9));
    return n < 1 ? 1 : n;
}

namespace {

std::set<std::string> summedColumns(const Layout& l) {
    std::set<std::string> cols;
    for (const Band* b : {&l.pageHeader, &l.columnHeader, &l.data, &l.summary, &l.pageFooter}) {
        for (const Field& f : b->fields) {
            if (f.source == Source::Sum || f.source == Source::PageSum) {
                cols.insert(f.column);
            }
        }
    }
    return cols;
}

Money moneyOf(const Value& v) {
    if (auto m = std::get_if<Money>(&v)) {
        return *m;
    }
    if (auto i = std::get_if<std::int64_t>(&v)) {
        return Money::yuan(*i);
    }
    if (auto s = std::get_if<std::string>(&v)) {
        return Money::parse(*s).value_or(Money());
    }
    return Money();
}

}  // namespace

Band titledPageHeader(const std::string& title, double usable) {
    constexpr double kPt = 0.75;  // a pixel of the layouts in points
    Band b;
    b.height = 16;
    b.fields = {
        {.text = title,
         .width = usable,
         .align = Align::Center,
         .bold = true,
         .fontPt = 19 * kPt,
         .height = 9},
        {.source = Source::PageNumber, .text = "页数 ", .width = 40, .fontPt = 13 * kPt, .top = 9},
        {.source = Source::PrintDateTime,
         .left = usable - 60,
         .width = 60,
         .align = Align::Right,
         .fontPt = 13 * kPt,
         .top = 9},
    };
    return b;
}

Layout ruledListLayout(std::string name, std::string title, bool landscape,
                       const std::vector<ListColumn>& cols) {
    Layout l{.name = std::move(name), .title = std::move(title), .landscape = landscape};
    const double usable = l.width() - l.marginLeft - l.marginRight;  // 277 mm across
    constexpr double kPt = 0.75;                                     // a layout pixel in points

    l.pageHeader = titledPageHeader(l.title, usable);
    auto right = [&](std::size_t i) { return i + 1 < cols.size() ? cols[i + 1].left : usable; };
    auto ruled = [&](Band& b) {
        for (const ListColumn& c : cols) {
            b.rules.push_back({c.left, 0, c.left, b.height});
        }
        b.rules.push_back({usable, 0, usable, b.height});
        b.rules.push_back({0, b.height, usable, b.height});
    };
    l.columnHeader.height = 6;
    l.data.height = 7;
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const double w = right(i) - cols[i].left - 2;
        l.columnHeader.fields.push_back({.text = cols[i].heading,
                                         .left = cols[i].left + 1,
                                         .width = w,
                                         .align = Align::Center,
                                         .fontPt = 13 * kPt});
        l.data.fields.push_back({.source = Source::Column,
                                 .column = cols[i].column,
                                 .left = cols[i].left + 1,
                                 .width = w,
                                 .align = cols[i].money || (i == 0 && !cols[i].leftAligned)
                                              ? Align::Right
                                              : Align::Left,
                                 .format = cols[i].money ? Format::Number : Format::Text,
                                 .fontPt = 13 * kPt});
    }
    ruled(l.columnHeader);
    l.columnHeader.rules.push_back({0, 0, usable, 0});
    ruled(l.data);
    auto sums = [&](Band& b, Source count, const char* word, Source sum) {
        b.height = 7;
        b.fields.push_back({.source = count,
                            .text = word,
                            .width = cols.size() > 2 ? cols[2].left - 1 : 30,
                            .fontPt = 13 * kPt});
        for (std::size_t i = 0; i < cols.size(); ++i) {
            if (cols[i].money) {
                b.fields.push_back({.source = sum,
                                    .column = cols[i].column,
                                    .left = cols[i].left + 1,
                                    .width = right(i) - cols[i].left - 2,
                                    .align = Align::Right,
                                    .format = Format::Number,
                                    .fontPt = 13 * kPt});
            }
        }
        ruled(b);
    };
    sums(l.summary, Source::RowCount, "合计 ", Source::Sum);
    sums(l.pageFooter, Source::PageRowCount, "本页合计 ", Source::PageSum);
    l.pageFooter.fields.push_back({.text = std::string(kVendorAddress),
                                   .left = usable - 70,
                                   .width = 69,
                                   .align = Align::Right,
                                   .fontPt = 8});
    return l;
}

Pagination paginate(const Layout& layout, const Table& rows, const std::string& printedAt) {
    Pagination p;
    p.printedAt = printedAt;
    p.rowCount = rows.size();
    const auto perPage = static_cast<std::size_t>(layout.rowsPerPage());
    const auto summed = summedColumns(layout);
    for (const auto& c : summed) {
        p.totals[c] = Money();
    }
    std::size_t next = 0;
    int number = 1;
    do {
        Page page;
        page.number = number++;
        page.firstRow = next;
        page.rowCount = std::min(perPage, rows.size() - next);
        for (const auto& c : summed) {
            Money sum;
            int col = rows.column(c);
            for (std::size_t r = next; col >= 0 && r < next + page.rowCount; ++r) {
                sum += moneyOf(rows.rows[r][static_cast<std::size_t>(col)]);
            }
            page.sums[c] = sum;
            p.totals[c] += sum;
        }
        next += page.rowCount;
        p.pages.push_back(page);
    } while (next < rows.size());

    // The summary follows the last row where it fits. Where it does not, the
    // last row moves to the next page with it: a total never stands alone.
    Page& last = p.pages.back();
    double body = layout.height() - layout.marginTop - layout.marginBottom -
                  layout.pageHeader.height - layout.columnHeader.height - layout.pageFooter.height;
    double used = static_cast<double>(last.rowCount) * layout.data.height;
    if (layout.summary.height <= 0 || used + layout.summary.height <= body + 1e-9) {
        last.hasSummary = layout.summary.height > 0;
    } else {
        Page extra;
        extra.number = last.number + 1;
        extra.hasSummary = true;
        const std::size_t moved = last.rowCount > 1 ? 1 : 0;
        last.rowCount -= moved;
        extra.firstRow = rows.size() - moved;
        extra.rowCount = moved;
        for (const auto& c : summed) {
            int col = rows.column(c);
            Money m = moved && col >= 0
                          ? moneyOf(rows.rows[extra.firstRow][static_cast<std::size_t>(col)])
                          : Money();
            last.sums[c] -= m;
            extra.sums[c] = m;
        }
        p.pages.push_back(extra);
    }
    return p;
}

std::string fieldText(const Field& f, const Table& rows, const Pagination& p, const Page& page,
                      long row) {
    switch (f.source) {
        case Source::Literal:
            return f.text;
        case Source::Column: {
            int col = rows.column(f.column);
            if (row < 0 || col < 0) {
                return f.text;
            }
            return f.text +
                   formatValue(
                       rows.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)],
                       f.format);
        }
        case Source::PageNumber:
            return f.text + std::to_string(page.number);
        case Source::PrintDateTime:
            return f.text + p.printedAt;
        case Source::RowCount:
            return f.text + std::to_string(p.rowCount);
        case Source::PageRowCount:
            return f.text + std::to_string(page.rowCount);
        case Source::RowNumber:
            return f.text + std::to_string(row + 1);
        case Source::Sum: {
            auto it = p.totals.find(f.column);
            return f.text + formatValue(it == p.totals.end() ? Money() : it->second, f.format);
        }
        case Source::PageSum: {
            auto it = page.sums.find(f.column);
            return f.text + formatValue(it == page.sums.end() ? Money() : it->second, f.format);
        }
    }
    return {};
}

PlacedPage placePage(const Layout& l, const Table& rows, const Pagination& p, std::size_t index) {
    const Page& page = p.pages.at(index);
    PlacedPage placed;
    auto place = [&](const Band& band, double top, long row) {
        for (const Field& f : band.fields) {
            const double h = f.height > 0 ? f.height : band.height - f.top;
            placed.texts.push_back({l.marginLeft + f.left, top + f.top, f.width, h,
                                    fieldText(f, rows, p, page, row), f.align, f.bold, f.fontPt});
        }
        for (const Rule& r : band.rules) {
            placed.lines.push_back(
                {l.marginLeft + r.x1, top + r.y1, l.marginLeft + r.x2, top + r.y2});
        }
    };
    double y = l.marginTop;
    place(l.pageHeader, y, -1);
    y += l.pageHeader.height;
    place(l.columnHeader, y, -1);
    y += l.columnHeader.height;
    for (std::size_t r = page.firstRow; r < page.firstRow + page.rowCount; ++r) {
        place(l.data, y, static_cast<long>(r));
        y += l.data.height;
    }
    if (page.hasSummary) {
        place(l.summary, y, -1);
    }
    place(l.pageFooter, l.height() - l.marginBottom - l.pageFooter.height, -1);
    return placed;
}

std::vector<PlacedPage> placePages(const Layout& l, const Table& rows, const Pagination& p) {
    std::vector<PlacedPage> out;
    out.reserve(p.pages.size());
    for (std::size_t i = 0; i < p.pages.size(); ++i) {
        out.push_back(placePage(l, rows, p, i));
    }
    return out;
}

std::string nowText() {
    return dates::localTimeText("%Y-%m-%d %H:%M:%S");
}

std::optional<std::size_t> findPage(const std::vector<PlacedPage>& pages, const std::string& text,
                                    int after) {
    return findPage(
        pages.size(), [&](std::size_t i) { return pages[i]; }, text, after);
}

std::optional<std::size_t> findPage(std::size_t count,
                                    const std::function<PlacedPage(std::size_t)>& page,
                                    const std::string& text, int after) {
    if (text.empty() || count == 0) {
        return std::nullopt;
    }
    const auto start = static_cast<std::size_t>(std::max(after, 0)) % count;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = (start + k) % count;
        for (const TextBox& t : page(i).texts) {
            if (t.text.find(text) != std::string::npos) {
                return i;
            }
        }
    }
    return std::nullopt;
}

}  // namespace fennory::report
