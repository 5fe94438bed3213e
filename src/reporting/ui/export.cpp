#include "reporting/ui/export.h"

#include "core/ui/desktop.h"

namespace fennory::ui {

FileOpener desktopOpener() {
    return [](const QString& file) { return openOnDesktop(file); };
}

QString exportSheet(const Sheet& sheet, const Session& session, const std::string& sheetName,
                    Prompter& prompter, const FileOpener& open) {
    auto path = exportPath(session.dataFile(), session.CurrentBook, sheetName, exportStamp());
    try {
        writeXlsx(path, {sheet});
    } catch (const SpreadsheetError& e) {
        prompter.warn(QString::fromStdString(e.what()));
        return {};
    }
    QString file = QString::fromStdString(path.string());
    if (!open || !open(file)) {
        prompter.info(QStringLiteral("没有找到能打开电子表格的程序，文件已保存在：\n") + file);
    }
    return file;
}

}  // namespace fennory::ui
