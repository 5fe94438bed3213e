#include "reporting/ui/report_preview.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace fennory::ui {
namespace {

QPageLayout pageLayoutOf(const report::Layout& l) {
    return QPageLayout(QPageSize(QSizeF(l.pageWidth, l.pageHeight), QPageSize::Millimeter),
                       l.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

Qt::Alignment alignOf(report::Align a) {
    switch (a) {
        case report::Align::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case report::Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

void renderReport(const report::Layout& layout, const std::vector<report::PlacedPage>& pages,
                  QPagedPaintDevice& device) {
    device.setPageLayout(pageLayoutOf(layout));
    QPainter p(&device);
    // Positions are millimetres from the paper's corner; fonts stay in points.
    const double sx = device.logicalDpiX() / 25.4;
    const double sy = device.logicalDpiY() / 25.4;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            device.newPage();
        }
        p.setPen(QPen(Qt::black, std::max(1.0, 0.2 * sx)));
        for (const report::Line& l : pages[i].lines) {
            p.drawLine(QPointF(l.x1 * sx, l.y1 * sy), QPointF(l.x2 * sx, l.y2 * sy));
        }
        for (const report::TextBox& t : pages[i].texts) {
            QFont f(QStringLiteral("Noto Sans CJK SC"));
            f.setPointSizeF(t.fontPt);
            f.setBold(t.bold);
            p.setFont(f);
            // A little air on both sides keeps neighbouring columns apart.
            constexpr double kPadMm = 1.5;
            p.drawText(
                QRectF((t.x + kPadMm) * sx, t.y * sy, (t.width - 2 * kPadMm) * sx, t.height * sy),
                alignOf(t.align) | Qt::TextSingleLine, QString::fromStdString(t.text));
        }
    }
}

bool writeReportPdf(const report::Layout& layout, const Table& rows, const QString& file) {
    QPdfWriter pdf(file);
    pdf.setResolution(300);
    pdf.setTitle(QString::fromStdString(layout.name));
    report::Pagination p = report::paginate(layout, rows, report::nowText());
    renderReport(layout, report::placePages(layout, rows, p), pdf);
    return true;
}

void showReportPreview(const report::Layout& layout, const Table& rows, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayoutOf(layout));
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QString::fromStdString(layout.name));
    const report::Pagination p = report::paginate(layout, rows, report::nowText());
    const auto pages = report::placePages(layout, rows, p);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { renderReport(layout, pages, *target); });
    dialog.resize(1000, 700);
    dialog.exec();
}

}  // namespace fennory::ui
