#pragma once
// TfrmE_I "收入分析" and TfrmE_O "支出分析": one screen given an AnalysisKind,
// the sums in a grid and drawn as a bar, a line and a pie chart. And the
// month-by-group cross tables of the report menu, written to a workbook.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include <functional>

#include "core/data_module.h"
#include "core/ui/criteria_form.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"
#include "reporting/ui/export.h"
#include "reporting/ui/query_screen.h"
#include "reports/analysis.h"

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace fennory::ui {

// Asks where to save a picture; "" when the user gave up. Tests answer it themselves.
using PictureFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
PictureFileChooser pngFileChooser();

class AnalysisScreen : public QueryScreen {
    Q_OBJECT
public:
    AnalysisScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, const AnalysisKind& kind,
                   PictureFileChooser chooser = pngFileChooser(), QWidget* parent = nullptr);
    // Pictures saved where the user says.
    AnalysisScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, const AnalysisKind& kind,
                   QWidget* parent)
        : AnalysisScreen(dm, prompter, std::move(opener), kind, pngFileChooser(), parent) {}

    Analysis& analysis() { return analysis_; }
    // 0 柱图, 1 折线图, 2 饼图
    QChart* chart(int i) const;
    QString lastPicture() const { return lastPicture_; }

    void onRun();
    void onExcel();
    void onSavePicture();

private:
    void draw();

    PictureFileChooser chooser_;
    Analysis analysis_;
    CriteriaForm* criteria_ = nullptr;
    QComboBox* item_;
    QPushButton* run_;
    QPushButton* excel_;
    QPushButton* savePicture_;
    RecordGrid* grid_;
    QTabWidget* tabs_;
    std::array<QChartView*, 3> views_{};
    QLabel* count_;
    QLabel* total_;
    QString lastPicture_;
};

using TfrmE_I = KindScreen<AnalysisScreen, incomeAnalysis>;
using TfrmE_O = KindScreen<AnalysisScreen, expenseAnalysis>;

// mySumReport: the cross table of the kind written to a workbook and opened.
// Returns the file written, or "" (the user has been told).
QString mySumReport(TfrmDM& dm, Prompter& prompter, const MonthGroupKind& kind,
                    const FileOpener& opener);

}  // namespace fennory::ui
