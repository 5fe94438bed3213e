#include "reporting/ui/report_preview.h"

#include "core/ui/guard.h"
#include "core/ui/inputs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

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
    constexpr double kTightMm = 0.6;
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

namespace {

void drawPage(QPainter& p, QPaintDevice& device, const report::PlacedPage& page, double sx,
              double sy) {
    p.setPen(QPen(Qt::black, std::max(1.0, 0.2 * sx)));
    for (const report::Line& l : page.lines) {
        p.drawLine(QPointF(l.x1 * sx, l.y1 * sy), QPointF(l.x2 * sx, l.y2 * sy));
    }
    for (const report::TextBox& t : page.texts) {
        drawFitted(p, device, t, sx, sy);
    }
}

template <class PageAt>
void renderPages(const report::Layout& layout, std::size_t count, PageAt pageAt,
                 QPagedPaintDevice& device,
                 const std::function<void(std::size_t, std::size_t)>& progress) {
    device.setPageLayout(pageLayoutOf(layout));
    QPainter p(&device);
    // Positions are millimetres from the paper's corner; fonts stay in points.
    const double sx = device.logicalDpiX() / 25.4;
    const double sy = device.logicalDpiY() / 25.4;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            device.newPage();
        }
        drawPage(p, device, pageAt(i), sx, sy);
        if (progress) {
            progress(i + 1, count);
        }
    }
}

bool writePdf(const report::Layout& layout, const Table& rows, const report::Pagination& p,
              const QString& file) {
    QFile::remove(file);
    {
        QPdfWriter pdf(file);
        pdf.setResolution(300);
        pdf.setTitle(QString::fromStdString(layout.title.empty() ? layout.name : layout.title));
        renderReport(layout, rows, p, pdf);
    }  // the file is complete once the writer is gone
    return QFileInfo(file).size() > 0;
}

}  // namespace

void renderReport(const report::Layout& layout, const std::vector<report::PlacedPage>& pages,
                  QPagedPaintDevice& device) {
    renderPages(layout, pages.size(),
                [&](std::size_t i) -> const report::PlacedPage& { return pages[i]; }, device, {});
}

void renderReport(const report::Layout& layout, const Table& rows, const report::Pagination& p,
                  QPagedPaintDevice& device,
                  const std::function<void(std::size_t, std::size_t)>& progress) {
    renderPages(
        layout, p.pages.size(),
        [&](std::size_t i) { return report::placePage(layout, rows, p, i); }, device, progress);
}

bool writeReportPdf(const report::Layout& layout, const Table& rows, const QString& file) {
    return writePdf(layout, rows, report::paginate(layout, rows, report::nowText()), file);
}

PageView::PageView(const report::Layout& layout, QWidget* parent)
    : QWidget(parent), layout_(layout) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::showPage(const report::PlacedPage* page) {
    page_ = page;
    update();
}

void PageView::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, 0.25, 4.0);
    resize(sizeHint());
    update();
}

QSize PageView::sizeHint() const {
    const double mm = logicalDpiX() / 25.4 * zoom_;
    return {static_cast<int>(layout_.width() * mm), static_cast<int>(layout_.height() * mm)};
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!page_) {
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Drawn at the paper's size and scaled, so that the screen shows what the
    // paper will: the same fonts shrink in the same cells.
    const double mm = logicalDpiX() / 25.4;
    p.scale(zoom_, zoom_);
    drawPage(p, *this, *page_, mm, mm);
}

ReportPreview::ReportPreview(report::Layout layout, Table rows, Prompter& prompter,
                             std::function<void()> exportSheet, QWidget* parent)
    : QDialog(parent),
      layout_(std::move(layout)),
      rows_(std::move(rows)),
      pagination_(report::paginate(layout_, rows_, report::nowText())),
      prompter_(prompter),
      view_(withName("pageView", new PageView(layout_))),
      scroll_(new QScrollArea),
      pageLabel_(new QLabel) {
    setWindowTitle(QString::fromStdString(layout_.title.empty() ? layout_.name : layout_.title));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* bar = new QToolBar;
    auto add = [&](const QString& caption, const QKeySequence& key, auto slot) {
        auto* a = new QAction(caption, this);
        if (!key.isEmpty()) {
            a->setShortcut(key);
        }
        connect(a, &QAction::triggered, this, guarded(slot));
        bar->addAction(a);
        return a;
    };
    extras_[kPrint] = add(QStringLiteral("打印"), QKeySequence::Print, [this] { print(); });
    extras_[kSavePdf] = add(QStringLiteral("另存为PDF"), {}, [this] { savePdf(); });
    extras_[kExportSheet] = add(QStringLiteral("导出Excel"), {}, [exportSheet] {
        if (exportSheet) {
            exportSheet();
        }
    });
    extras_[kExportSheet]->setVisible(static_cast<bool>(exportSheet));
    extras_[kFind] = add(QStringLiteral("查找"), QKeySequence::Find, [this] { askAndFind(); });
    bar->addSeparator();
    add(QStringLiteral("首页"), QKeySequence(Qt::CTRL | Qt::Key_Home),
        [this] { setCurrentPage(1); });
    add(QStringLiteral("上一页"), QKeySequence(Qt::Key_PageUp),
        [this] { setCurrentPage(currentPage() - 1); });
    add(QStringLiteral("下一页"), QKeySequence(Qt::Key_PageDown),
        [this] { setCurrentPage(currentPage() + 1); });
    add(QStringLiteral("末页"), QKeySequence(Qt::CTRL | Qt::Key_End),
        [this] { setCurrentPage(pageCount()); });
    bar->addWidget(pageLabel_);
    bar->addSeparator();
    add(QStringLiteral("放大"), QKeySequence::ZoomIn,
        [this] { view_->setZoom(view_->zoom() * 1.25); });
    add(QStringLiteral("缩小"), QKeySequence::ZoomOut,
        [this] { view_->setZoom(view_->zoom() / 1.25); });
    auto* close = add(QStringLiteral("关闭"), {}, [this] { reject(); });
    close->setToolTip(QStringLiteral("关闭预览"));

    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(bar);
    outer->addWidget(scroll_, 1);
    resize(1000, 700);
    // The whole page across the window's width to start with.
    view_->setZoom(std::min(1.0, 940.0 / (layout_.width() * view_->logicalDpiX() / 25.4)));
    setCurrentPage(1);
}

ReportPreview::~ReportPreview() = default;

const report::PlacedPage& ReportPreview::page(std::size_t index) {
    auto it = placed_.find(index);
    if (it == placed_.end()) {
        it = placed_.emplace(index, report::placePage(layout_, rows_, pagination_, index)).first;
    }
    return it->second;
}

void ReportPreview::setCurrentPage(int number) {
    current_ = static_cast<std::size_t>(std::clamp(number, 1, pageCount()) - 1);
    view_->showPage(&page(current_));
    pageLabel_->setText(QStringLiteral(" 第 %1 / %2 页 ").arg(currentPage()).arg(pageCount()));
}

void ReportPreview::keyPressEvent(QKeyEvent* e) {
    // Enter must not close the preview, as a dialog's default would.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        return;
    }
    QDialog::keyPressEvent(e);
}

bool ReportPreview::find(const QString& text) {
    const auto at = report::findPage(
        pagination_.pages.size(), [this](std::size_t i) { return page(i); }, ss(text),
        currentPage());
    if (!at) {
        prompter_.info(QStringLiteral("没有找到“%1”。").arg(text));
        return false;
    }
    setCurrentPage(static_cast<int>(*at) + 1);
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

void ReportPreview::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayoutOf(layout_));
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QProgressDialog progress(QStringLiteral("正在打印……"), QStringLiteral("取消"), 0, pageCount(),
                             this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    renderReport(layout_, rows_, pagination_, printer,
                 [&](std::size_t done, std::size_t) { progress.setValue(static_cast<int>(done)); });
}

void ReportPreview::savePdf() {
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("另存为PDF"),
                                                windowTitle() + QStringLiteral(".pdf"),
                                                QStringLiteral("PDF 文件 (*.pdf)"));
    if (file.isEmpty()) {
        return;
    }
    if (!writePdf(layout_, rows_, pagination_, file)) {
        prompter_.warn(QStringLiteral("无法保存 PDF 文件：") + file);
    }
}

void showReportPreview(const report::Layout& layout, const Table& rows, Prompter& prompter,
                       std::function<void()> exportSheet, QWidget* parent) {
    ReportPreview dialog(layout, rows, prompter, std::move(exportSheet), parent);
    dialog.exec();
}

}  // namespace fennory::ui
