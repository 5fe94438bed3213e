#include "reporting/ui/report_preview.h"

#include <QFileDialog>
#include <QFont>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QToolBar>

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

// A field's text inside its cell, never cut: a text too wide for the cell
// first takes the cell's air, then a smaller size down to a readable minimum,
// and only then is drawn narrower, every digit still there.
void drawFitted(QPainter& p, QPaintDevice& device, const report::TextBox& t, double sx, double sy) {
    constexpr double kPadMm = 1.5;  // keeps neighbouring columns apart
    constexpr double kTightMm = 0.3;
    constexpr double kMinPt = 6.0;
    const QString text = QString::fromStdString(t.text);
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPointSizeF(t.fontPt);
    f.setBold(t.bold);
    double pad = kPadMm;
    double room = (t.width - 2 * pad) * sx;
    double needed = QFontMetricsF(f, &device).horizontalAdvance(text);
    if (needed > room) {
        pad = kTightMm;
        room = (t.width - 2 * pad) * sx;
    }
    if (needed > room && room > 0) {
        f.setPointSizeF(std::max(kMinPt, t.fontPt * room / needed * 0.98));
        needed = QFontMetricsF(f, &device).horizontalAdvance(text);
        if (needed > room) {
            f.setStretch(std::max(1, static_cast<int>(100.0 * room / needed) - 1));
        }
    }
    p.setFont(f);
    p.drawText(QRectF((t.x + pad) * sx, t.y * sy, room, t.height * sy),
               alignOf(t.align) | Qt::TextSingleLine | Qt::TextDontClip, text);
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
            drawFitted(p, device, t, sx, sy);
        }
    }
}

bool writeReportPdf(const report::Layout& layout, const Table& rows, const QString& file) {
    QPdfWriter pdf(file);
    pdf.setResolution(300);
    pdf.setTitle(QString::fromStdString(layout.title.empty() ? layout.name : layout.title));
    report::Pagination p = report::paginate(layout, rows, report::nowText());
    renderReport(layout, report::placePages(layout, rows, p), pdf);
    return true;
}

ReportPreview::ReportPreview(report::Layout layout, Table rows, Prompter& prompter,
                             std::function<void()> exportSheet, QWidget* parent)
    : QPrintPreviewDialog(parent),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      layout_(std::move(layout)),
      rows_(std::move(rows)),
      prompter_(prompter) {
    setWindowTitle(QString::fromStdString(layout_.title.empty() ? layout_.name : layout_.title));
    const report::Pagination p = report::paginate(layout_, rows_, report::nowText());
    pages_ = report::placePages(layout_, rows_, p);
    // Qt's dialog prints on its own printer; the page layout is the report's.
    printer()->setPageLayout(pageLayoutOf(layout_));
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { renderReport(layout_, pages_, *target); });

    QToolBar* bar = findChild<QToolBar*>();
    if (bar) {
        bar->addSeparator();
    }
    auto add = [&](Extra e, const QString& caption, auto slot) {
        extras_[e] = new QAction(caption, this);
        connect(extras_[e], &QAction::triggered, this, slot);
        if (bar) {
            bar->addAction(extras_[e]);
        }
    };
    add(kSavePdf, QStringLiteral("另存为PDF"), [this] { savePdf(); });
    add(kExportSheet, QStringLiteral("导出Excel"), [exportSheet] {
        if (exportSheet) {
            exportSheet();
        }
    });
    extras_[kExportSheet]->setVisible(static_cast<bool>(exportSheet));
    add(kFind, QStringLiteral("查找"), [this] { askAndFind(); });
    extras_[kFind]->setShortcut(QKeySequence::Find);
    resize(1000, 700);
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::currentPage() const {
    auto* w = findChild<QPrintPreviewWidget*>();
    return w ? w->currentPage() : 0;
}

bool ReportPreview::find(const QString& text) {
    auto* w = findChild<QPrintPreviewWidget*>();
    auto at = report::findPage(pages_, text.toStdString(), currentPage());
    if (!at) {
        prompter_.info(QStringLiteral("没有找到“%1”。").arg(text));
        return false;
    }
    if (w) {
        w->setCurrentPage(*at + 1);
    }
    return true;
}

void ReportPreview::askAndFind() {
    bool ok = false;
    QString text = QInputDialog::getText(this, QStringLiteral("查找"), QStringLiteral("查找内容："),
                                         QLineEdit::Normal, {}, &ok);
    if (ok && !text.isEmpty()) {
        find(text);
    }
}

void ReportPreview::savePdf() {
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("另存为PDF"),
                                                windowTitle() + QStringLiteral(".pdf"),
                                                QStringLiteral("PDF 文件 (*.pdf)"));
    if (file.isEmpty()) {
        return;
    }
    if (!writeReportPdf(layout_, rows_, file)) {
        prompter_.warn(QStringLiteral("无法保存 PDF 文件：") + file);
    }
}

void showReportPreview(const report::Layout& layout, const Table& rows, Prompter& prompter,
                       std::function<void()> exportSheet, QWidget* parent) {
    ReportPreview dialog(layout, rows, prompter, std::move(exportSheet), parent);
    dialog.exec();
}

}  // namespace fennory::ui
