#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "core/data_module.h"
#include "core/ui/book_host.h"
#include "core/ui/prompter.h"

namespace fennory::ui {

// "打开账簿": choose a book, give its password, remember either.
class TfrmOpenBook : public QDialog {
    Q_OBJECT
public:
    // `offered`: a book just created, preselected.
    TfrmOpenBook(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent = nullptr,
                 const std::string& offered = {});

private:
    void onOpen();

    TfrmDM& dm_;
    Prompter& prompter_;
    BookHost& host_;
    QComboBox* books_;
    QLineEdit* password_;
    QCheckBox* rememberBook_;
    QCheckBox* rememberPassword_;
    QPushButton* open_;
    QPushButton* exit_;
};

// Password fields show each typed character as an at-sign.
void maskWithAtSigns(QLineEdit* edit);

}  // namespace fennory::ui
