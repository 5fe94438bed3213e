#pragma once
// Draws placed report pages with QPainter: on a printer, in a PDF or on any
// paint device; and the print preview, which places and draws a page only
// when it is shown, so that a report of many thousand rows opens at once.

#include <QDialog>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <memory>

#include "core/ui/prompter.h"
#include "reporting/report.h"

class QLabel;
class QScrollArea;

namespace fennory::ui {

// Draws every page on the device, starting a new page for each after the first.
void renderReport(const report::Layout& layout, const std::vector<report::PlacedPage>& pages,
                  QPagedPaintDevice& device);
// The same, placing each page as it is drawn; progress(done, total) per page.
void renderReport(const report::Layout& layout, const Table& rows, const report::Pagination& p,
                  QPagedPaintDevice& device,
                  const std::function<void(std::size_t, std::size_t)>& progress = {});

// Writes the report to a PDF file.
bool writeReportPdf(const report::Layout& layout, const Table& rows, const QString& file);

// One page drawn on the screen at a zoom.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(const report::Layout& layout, QWidget* parent = nullptr);
    void showPage(const report::PlacedPage* page);
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const report::Layout& layout_;
    const report::PlacedPage* page_ = nullptr;
    double zoom_ = 1.0;
};

// The print preview: "打印", "另存为PDF", "导出Excel" (when the screen can
// export) and "查找", the page buttons and the zoom. Its caption is the
// report's title. Pages are placed as they are shown; every page of one
// preview, printed or saved, carries the same printing time.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    enum Extra { kSavePdf, kExportSheet, kFind, kPrint };

    ReportPreview(report::Layout layout, Table rows, Prompter& prompter,
                  std::function<void()> exportSheet, QWidget* parent = nullptr);
    ~ReportPreview() override;

    QAction* extra(Extra e) const { return extras_[e]; }
    // Shows the next page, after the current one, whose text holds what is
    // sought; false (and a message) when none does.
    bool find(const QString& text);
    // The page the preview shows, from 1, and how many there are.
    int currentPage() const { return static_cast<int>(current_) + 1; }
    int pageCount() const { return static_cast<int>(pagination_.pages.size()); }
    void setCurrentPage(int page);
    // The pages placed so far: only those shown or searched.
    std::size_t placedPages() const { return placed_.size(); }
    const report::Pagination& pagination() const { return pagination_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    const report::PlacedPage& page(std::size_t index);
    void savePdf();
    void askAndFind();
    void print();

    report::Layout layout_;
    Table rows_;
    report::Pagination pagination_;
    std::map<std::size_t, report::PlacedPage> placed_;
    std::size_t current_ = 0;
    Prompter& prompter_;
    PageView* view_;
    QScrollArea* scroll_;
    QLabel* pageLabel_;
    std::array<QAction*, 4> extras_{};
};

// Opens the preview modally.
void showReportPreview(const report::Layout& layout, const Table& rows, Prompter& prompter,
                       std::function<void()> exportSheet, QWidget* parent);

}  // namespace fennory::ui
