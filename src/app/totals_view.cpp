#include "app/totals_view.h"
#include "core/ui/guard.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QVBoxLayout>

#include "core/ui/inputs.h"

namespace fennory::ui {
namespace {

QLabel* makeFigure(QWidget* parent) {
    auto* l = new QLabel(QStringLiteral("0.00"), parent);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(14);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // As wide as its text: the leader line runs up to the figure.
    l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    l->setStyleSheet(QStringLiteral("color: black;"));
    return l;
}

// The line of underscores between a caption and its figure: it fills the
// whole space, so that it reaches the figure at any window width.
class LeaderLine : public QWidget {
public:
    explicit LeaderLine(QWidget* parent) : QWidget(parent) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        setMinimumWidth(24);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(Qt::gray, 1));
        // On the text's baseline, as underscores would be.
        const QFontMetrics fm(font());
        const int y = (height() + fm.ascent() - fm.descent()) / 2 + 1;
        p.drawLine(0, y, width() - 1, y);
    }
};

QFrame* rule(QWidget* parent) {
    auto* r = new QFrame(parent);
    r->setFrameShape(QFrame::HLine);
    r->setFrameShadow(QFrame::Sunken);
    return r;
}

QString iconFor(const std::string& caption) {
    static const std::map<std::string, QString> icons = {
        {"现金", ":/icons/cash.png"},        {"银行卡", ":/icons/bankcard.png"},
        {"电子账户", ":/icons/ewallet.png"}, {"其它", ":/icons/other.png"},
        {"投资", ":/icons/investment.png"},  {"债权", ":/icons/credit.png"},
        {"债务", ":/icons/debt.png"},        {"信用卡", ":/icons/creditcard.png"}};
    auto it = icons.find(caption);
    return it == icons.end() ? QString() : it->second;
}

}  // namespace

TotalsView::TotalsView(QWidget* parent)
    : QWidget(parent), budget_(withName("budgetLine", new QLabel(this))) {
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(24, 24, 24, 24);
    auto* outer = new QHBoxLayout;
    outer->setSpacing(24);
    whole->addLayout(outer, 1);
    budget_->setTextFormat(Qt::RichText);
    budget_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    budget_->setCursor(Qt::PointingHandCursor);
    budget_->setToolTip(QStringLiteral("打开预算执行表"));
    budget_->hide();
    connect(budget_, &QLabel::linkActivated, this, guarded([this] { emit budgetClicked(); }));
    whole->addWidget(budget_);

    auto addRow = [this](QGridLayout* g, int row, int col, const std::string& caption,
                         bool withPicture) {
        auto* box = new QWidget;
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 4, 0, 4);
        if (withPicture) {
            auto* pic = new QToolButton(box);
            pic->setIcon(QIcon(iconFor(caption)));
            pic->setIconSize(QSize(40, 40));
            pic->setAutoRaise(true);
            pic->setToolTip(QString::fromStdString(caption));
            // It opens the query of its row: it looks clickable.
            pic->setCursor(Qt::PointingHandCursor);
            connect(pic, &QToolButton::clicked, this, guarded([this, caption] {
                        emit pictureClicked(QString::fromStdString(caption));
                    }));
            pictures_[caption] = pic;
            h->addWidget(pic);
        }
        auto* cap = new QLabel(QString::fromStdString(caption), box);
        auto* line = new LeaderLine(box);
        line->setObjectName(QStringLiteral("leader"));
        h->addWidget(cap);
        h->addWidget(line, 1);
        QLabel* fig = makeFigure(box);
        h->addWidget(fig);
        figures_[caption] = fig;
        g->addWidget(box, row, col);
    };

    auto* funds = new QGroupBox(QStringLiteral("资金"), this);
    auto* fg = new QGridLayout(funds);
    addRow(fg, 0, 0, "现金", true);
    addRow(fg, 0, 1, "银行卡", true);
    addRow(fg, 1, 0, "电子账户", true);
    addRow(fg, 1, 1, "其它", true);
    addRow(fg, 2, 0, "投资", true);
    addRow(fg, 2, 1, "债权", true);
    fg->addWidget(rule(funds), 3, 0, 1, 2);
    addRow(fg, 4, 0, "资金合计：", false);
    addRow(fg, 5, 0, "净资金：", false);
    fg->setRowStretch(6, 1);

    auto* debts = new QGroupBox(QStringLiteral("负债"), this);
    auto* dg = new QGridLayout(debts);
    addRow(dg, 0, 0, "债务", true);
    addRow(dg, 1, 0, "信用卡", true);
    dg->addWidget(rule(debts), 2, 0);
    addRow(dg, 3, 0, "负债合计：", false);
    dg->setRowStretch(4, 1);

    outer->addWidget(funds, 2);
    outer->addWidget(debts, 1);
}

void TotalsView::show(const Totals& t) {
    const std::pair<const char*, Money> values[] = {
        {"现金", t.cash},         {"银行卡", t.bankCard},       {"电子账户", t.electronic},
        {"其它", t.other},        {"投资", t.investments},      {"债权", t.credits},
        {"资金合计：", t.funds},  {"净资金：", t.netFunds},     {"债务", t.debtsShown},
        {"信用卡", t.creditCard}, {"负债合计：", t.liabilities}};
    for (const auto& [caption, value] : values) {
        figures_.at(caption)->setText(QString::fromStdString(value.toDisplay()));
    }
}

void TotalsView::showBudget(const QString& line) {
    budget_->setText(QStringLiteral("<a href=\"budget\">%1</a>").arg(line.toHtmlEscaped()));
    budget_->setVisible(!line.isEmpty());
}

QLabel* TotalsView::figure(const std::string& caption) const {
    auto it = figures_.find(caption);
    return it == figures_.end() ? nullptr : it->second;
}

QToolButton* TotalsView::picture(const std::string& caption) const {
    auto it = pictures_.find(caption);
    return it == pictures_.end() ? nullptr : it->second;
}

}  // namespace fennory::ui
