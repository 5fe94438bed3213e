#pragma once
// Draws placed report pages with QPainter: on a printer (the preview dialog
// prints or writes PDF from it) or on any paint device.

#include <QPagedPaintDevice>
#include <QString>
#include <QWidget>

#include "reporting/report.h"

namespace fennory::ui {

// Draws every page on the device, starting a new page for each after the first.
void renderReport(const report::Layout& layout, const std::vector<report::PlacedPage>& pages,
                  QPagedPaintDevice& device);

// Writes the report to a PDF file.
bool writeReportPdf(const report::Layout& layout, const Table& rows, const QString& file);

// The print preview, from which the user prints or prints to PDF.
void showReportPreview(const report::Layout& layout, const Table& rows, QWidget* parent);

}  // namespace fennory::ui
