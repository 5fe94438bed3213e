#pragma once
// Draws placed report pages with QPainter: on a printer (the preview dialog
// prints or writes PDF from it) or on any paint device; and the print preview.

#include <QPagedPaintDevice>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

#include "core/ui/prompter.h"
#include "reporting/report.h"

namespace fennory::ui {

// Draws every page on the device, starting a new page for each after the first.
void renderReport(const report::Layout& layout, const std::vector<report::PlacedPage>& pages,
                  QPagedPaintDevice& device);

// Writes the report to a PDF file.
bool writeReportPdf(const report::Layout& layout, const Table& rows, const QString& file);

// The print preview: Qt's own print, page setup and zoom, and beside them
// "另存为PDF", "导出Excel" (when the screen can export) and "查找". Its caption
// is the report's title.
class ReportPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    enum Extra { kSavePdf, kExportSheet, kFind };

    ReportPreview(report::Layout layout, Table rows, Prompter& prompter,
                  std::function<void()> exportSheet, QWidget* parent = nullptr);
    ~ReportPreview() override;

    QAction* extra(Extra e) const { return extras_[e]; }
    // Shows the next page, after the current one, whose text holds what is
    // sought; false (and a message) when none does.
    bool find(const QString& text);
    // The page the preview shows, from 1.
    int currentPage() const;

private:
    void savePdf();
    void askAndFind();

    std::unique_ptr<QPrinter> printer_;
    report::Layout layout_;
    Table rows_;
    std::vector<report::PlacedPage> pages_;
    Prompter& prompter_;
    std::array<QAction*, 3> extras_{};
};

// Opens the preview modally.
void showReportPreview(const report::Layout& layout, const Table& rows, Prompter& prompter,
                       std::function<void()> exportSheet, QWidget* parent);

}  // namespace fennory::ui
