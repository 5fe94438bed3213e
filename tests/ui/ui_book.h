#pragma once
// A data file in a temporary folder with one open book, for screen tests.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "books/book_creation.h"
#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "scripted_prompter.h"

namespace fennory::testing {

struct UiBook {
    // The data file sits in Data/ beside the program folder, as in the field.
    explicit UiBook(const std::string& startupDate = "2024-05-31") {
        QDir(dir.path()).mkpath("Data");
        db =
            std::make_unique<Database>(Database::create(dir.filePath("Data/db.eac").toStdString()));
        session.StartupDate = startupDate;
        session.ExeFolder = dir.path().toStdString();
        dm = std::make_unique<TfrmDM>(*db, session);
    }
    // Creates the book and opens it; false when either is refused.
    bool openNew(const std::string& name) {
        NewBookInput in;
        in.name = name;
        return createFirstBook(*dm, in).ok && openBook(*dm, {name, "", false, false}).ok;
    }

    QTemporaryDir dir;
    std::unique_ptr<Database> db;
    Session session;
    std::unique_ptr<TfrmDM> dm;
    ScriptedPrompter prompter;
};

}  // namespace fennory::testing
