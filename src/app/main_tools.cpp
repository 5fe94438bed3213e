// The main window's outside tools: page setup, calculator, help, web site, upgrade, about.
#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <ranges>

#include "app/menus.h"
#include "books/book_creation.h"
#include "books/open_book.h"
#include "books/ui/new_book_dialogs.h"
#include "books/ui/open_book_dialog.h"
#include "core/book_checks.h"
#include "core/main_texts.h"
#include "core/totals.h"
#include "core/ui/desktop.h"
#include "core/updater_files.h"
#include "plans/plans.h"
#include "plans/status_date.h"
#include "reports/ui/record_query_screen.h"

namespace fennory::ui {
namespace {

QString vendorAddress() {
    return QString::fromUtf8(kVendorAddress.data(), kVendorAddress.size());
}

}  // namespace

void TfrmMain::pageSetup() {
    myfrmClose();
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>();
    }
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

void TfrmMain::calculator() {
    myfrmClose();
#ifdef Q_OS_WIN
    const QStringList candidates = {QStringLiteral("calc.exe")};
#else
    const QStringList candidates = {QStringLiteral("gnome-calculator"),
                                    QStringLiteral("kcalc"),
                                    QStringLiteral("galculator"),
                                    QStringLiteral("mate-calc"),
                                    QStringLiteral("qalculate-gtk"),
                                    QStringLiteral("qalculate-qt"),
                                    QStringLiteral("xcalc")};
#endif
    for (const QString& c : candidates) {
        QString path = QStandardPaths::findExecutable(c);
        if (!path.isEmpty() && QProcess::startDetached(path, {})) {
            return;
        }
    }
    prompter_.warn(
        QStringLiteral("没有找到计算器程序，请先安装一个计算器（例如 gnome-calculator）。"));
}

void TfrmMain::help() {
    QString page = qs((dm_.session().ExeFolder / "Help" / "index.html").string());
    if (!openOnDesktop(page)) {
        prompter_.warn(QStringLiteral("无法打开帮助文件：") + page);
    }
}

void TfrmMain::website() {
    openAddress(vendorAddress());
}

void TfrmMain::openAddress(const QString& address) {
    if (!openOnDesktop(address)) {
        prompter_.warn(QStringLiteral("没有找到能打开网页的程序，请在浏览器中打开：\n") + address);
    }
}

void TfrmMain::upgrade() {
    myfrmClose();
    QString updater = qs((dm_.session().ExeFolder / "Update.exe").string());
    if (QFile::exists(updater) && QProcess::startDetached(updater, {})) {
        askOnClose_ = false;
        close();
        return;
    }
    prompter_.warn(QStringLiteral("Update.exe 不存在，请下载后，解压到 Fennory 文件夹里。"));
    openAddress(vendorAddress() + QStringLiteral("download"));
}

void TfrmMain::about() {
    myfrmClose();
    QDialog d(this);
    d.setWindowTitle(QStringLiteral("关于..."));
    auto* outer = new QVBoxLayout(&d);
    auto* group = new QGroupBox(QStringLiteral("软件信息"), &d);
    auto* lines = new QVBoxLayout(group);
    lines->addWidget(new QLabel(QStringLiteral("产品名称：") + qs(std::string(kProductName))));
    lines->addWidget(new QLabel(QStringLiteral("产品版本：") + qs(std::string(kVersion)) +
                                QStringLiteral(" ") + QString::fromUtf8(editionCaption(edition_))));
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(vendorAddress()));
    link->setOpenExternalLinks(true);
    lines->addWidget(link);
    outer->addWidget(group);
    auto* ok = new QDialogButtonBox(&d);
    ok->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    connect(ok, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    outer->addWidget(ok);
    d.exec();
}

}  // namespace fennory::ui
