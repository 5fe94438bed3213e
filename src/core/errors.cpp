#include "core/errors.h"

#include <sqlite3.h>

#include <ctime>
#include <fstream>

#include "core/database.h"
#include "core/money.h"
#include "core/record_types.h"

namespace fennory {

std::string userMessage(const std::exception& e) {
    if (const auto* db = dynamic_cast<const DbError*>(&e)) {
        switch (db->code() & 0xFF) {
            case SQLITE_FULL:
                return "磁盘空间不足，操作没有完成，数据未作改动。";
            case SQLITE_READONLY:
                return "数据文件是只读的，操作没有完成，数据未作改动。请检查文件的权限。";
            case SQLITE_CORRUPT:
            case SQLITE_NOTADB:
                return "数据文件已损坏，操作没有完成。请从备份恢复。";
            case SQLITE_BUSY:
            case SQLITE_LOCKED:
                return "数据文件正被其它程序使用，操作没有完成，数据未作改动。请稍后再试。";
            case SQLITE_IOERR:
                return "读写数据文件出错，操作没有完成，数据未作改动。";
            default:
                break;
        }
        if (db->sumOverflow()) {
            return "金额合计超出范围，操作没有完成，数据未作改动。";
        }
        return "数据操作失败，操作没有完成，数据未作改动。";
    }
    if (dynamic_cast<const MoneyOverflow*>(&e) || dynamic_cast<const DataFileError*>(&e) ||
        dynamic_cast<const RecordRefused*>(&e)) {
        return e.what();
    }
    return "操作没有完成，数据未作改动。";
}

std::string fileErrorReason(const std::error_code& ec) {
    switch (static_cast<std::errc>(ec.value())) {
        case std::errc::no_space_on_device:
            return "磁盘空间不足";
        case std::errc::permission_denied:
        case std::errc::operation_not_permitted:
            return "没有权限";
        case std::errc::read_only_file_system:
            return "磁盘是只读的";
        case std::errc::no_such_file_or_directory:
            return "文件或文件夹不存在";
        case std::errc::file_exists:
            return "同名文件已存在";
        case std::errc::is_a_directory:
        case std::errc::not_a_directory:
            return "路径不是文件";
        default:
            return "读写文件出错";
    }
}

std::string afterCommitMessage(const std::exception&) {
    return "操作已完成并保存，请不要重复操作。随后刷新显示时出错，请关闭此窗口后重新打开。";
}

void logError(const std::filesystem::path& logFile, const std::exception& e,
              std::uintmax_t maxBytes) {
    std::error_code ec;
    if (std::filesystem::file_size(logFile, ec) >= maxBytes && !ec) {
        std::filesystem::path old = logFile;
        old += ".1";
        std::filesystem::rename(logFile, old, ec);
    }
    std::ofstream out(logFile, std::ios::app);
    if (!out) {
        return;  // a log that cannot be written must not hide the failure itself
    }
    std::time_t now = std::time(nullptr);
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    out << stamp << "  " << e.what();
    if (const auto* d = dynamic_cast<const DataFileError*>(&e); d && !d->engineText().empty()) {
        out << "  [" << d->engineText() << "]";
    }
    out << '\n';
}

}  // namespace fennory
