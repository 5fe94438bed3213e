#include "core/ui/criteria_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/field_limits.h"
#include "core/ui/guard.h"
#include "core/ui/prompter.h"

namespace fennory::ui {
namespace {

std::string inputText(QWidget* w) {
    if (auto* n = qobject_cast<NameCombo*>(w)) {
        return n->name();
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        return ss(c->currentText());
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return ss(e->text());
    }
    if (auto* d = qobject_cast<DateEdit*>(w)) {
        return d->dateText();
    }
    return {};
}

void showText(QWidget* w, const std::string& text) {
    if (auto* n = qobject_cast<NameCombo*>(w)) {
        n->setName(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        const int at = c->findText(qs(text));
        if (at >= 0) {
            c->setCurrentIndex(at);
        } else if (c->isEditable()) {
            c->setCurrentText(qs(text));
        }
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(qs(text));
    } else if (auto* d = qobject_cast<DateEdit*>(w)) {
        d->setDateText(text);
    }
}

}  // namespace

QString criterionName(Criterion c) {
    static const char* const names[kCriterionCount] = {"date",   "name", "account", "member",
                                                       "remark", "type", "kind"};
    return QString::fromLatin1(names[static_cast<std::size_t>(c)]);
}

void layOutQueryScreen(QWidget* screen, const QueryFrame& frame) {
    auto* side = new QVBoxLayout;
    for (QWidget* b : frame.buttons) {
        side->addWidget(b);
    }
    side->addWidget(screenExitButton(screen));
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(frame.criteria, 1);
    top->addLayout(side);
    auto* totals = new QHBoxLayout;
    for (QWidget* t : frame.totals) {
        totals->addWidget(t);
        totals->addSpacing(40);
    }
    totals->addStretch(1);
    auto* outer = new QVBoxLayout(screen);
    outer->addLayout(top);
    if (frame.underCriteria) {
        outer->addWidget(frame.underCriteria);
    }
    outer->addWidget(frame.body, 1);
    outer->addLayout(totals);
}

QGroupBox* sortGroup(QComboBox* keys, QComboBox* direction) {
    auto* order = new QGroupBox(QStringLiteral("排序条件"));
    auto* o = new QHBoxLayout(order);
    o->addWidget(new QLabel(QStringLiteral("排序条件：")));
    o->addWidget(keys, 1);
    o->addWidget(direction);
    return order;
}

CriteriaForm::CriteriaForm(TfrmDM& dm, const QString& title, const CriteriaTable& table,
                           const Criteria& start, QWidget* parent, FormShape shape)
    : QGroupBox(title, parent), table_(table), grid_(new QGridLayout(this)), shape_(shape) {
    if (shape_.head) {
        addBox(shape_.head, true);
    }
    entries_.reserve(table_.size());
    for (const CriterionDef& d : table_) {
        Entry& e = entries_.emplace_back(Entry{&d, nullptr, nullptr});
        e.box = build(dm, d, start.at(d.id), e);
        e.box->box()->setObjectName(criterionName(d.id) + QStringLiteral("Box"));
        e.box->setTicked(start.ticked(d.id));
        addBox(e.box, d.input == CriterionInput::Dates);
    }
}

CriteriaBox* CriteriaForm::build(TfrmDM& dm, const CriterionDef& d, const CriterionValue& start,
                                 Entry& e) {
    const QString caption = QString::fromUtf8(d.caption);
    const QString name = criterionName(d.id);
    switch (d.input) {
        case CriterionInput::Dates: {
            auto* from = new DateEdit;
            e.to = new DateEdit;
            from->setObjectName(QStringLiteral("from"));
            e.to->setObjectName(QStringLiteral("to"));
            from->setDateText(start.text);
            e.to->setDateText(start.to);
            e.input = from;
            return new CriteriaBox(caption, dateRange(from, e.to),
                                   shape_.tickOnChange ? std::initializer_list<QWidget*>{from, e.to}
                                                       : std::initializer_list<QWidget*>{});
        }
        case CriterionInput::EditableList: {
            auto* names = new NameCombo(nullptr, limits::kName);
            names->setNames((dm.*d.names)());
            names->setName(start.text);
            const std::string column = d.typeAheadColumn ? d.typeAheadColumn : d.column;
            const std::string table = d.typeAheadTable;
            names->setTypeAhead([&dm, column, table](const std::string& text) {
                return dm.nameMatches(text, column, table);
            });
            e.input = names;
            break;
        }
        case CriterionInput::Lookup: {
            auto* list = new QComboBox;
            fillNames(list, d.names ? (dm.*d.names)() : std::vector<std::string>(), start.text);
            e.input = list;
            break;
        }
        case CriterionInput::TypeList: {
            auto* types = new QComboBox;
            types->setEditable(true);
            for (const std::string& t : (dm.*d.names)()) {
                types->addItem(qs(t));
            }
            types->setCurrentText(qs(start.text));
            limitGbk(types->lineEdit(), limits::kAccountType);
            e.input = types;
            break;
        }
        case CriterionInput::Text: {
            auto* text = new QLineEdit(qs(start.text));
            limitGbk(text, d.maxBytes ? d.maxBytes : limits::kShortRemark);
            e.input = text;
            break;
        }
    }
    e.input->setObjectName(name);
    if (!shape_.tickOnChange) {
        return new CriteriaBox(caption, e.input, std::initializer_list<QWidget*>{});
    }
    auto* box = new CriteriaBox(caption, e.input);
    if (d.input == CriterionInput::TypeList) {
        // Choosing another type ticks it too, not only typing one.
        auto* types = static_cast<QComboBox*>(e.input);
        connect(types, &QComboBox::currentTextChanged, box,
                guarded([box] { box->setTicked(true); }));
    }
    return box;
}

Criteria CriteriaForm::criteria() const {
    Criteria out;
    for (const Entry& e : entries_) {
        out.set(e.def->id, {.ticked = e.box->isTicked(),
                            .text = inputText(e.input),
                            .to = e.to ? e.to->dateText() : std::string()});
    }
    return out;
}

void CriteriaForm::preset(Criterion c, const std::string& text) {
    for (Entry& e : entries_) {
        if (e.def->id == c) {
            showText(e.input, text);
            e.box->setTicked(true);
        }
    }
}

void CriteriaForm::focus(Criterion c) {
    for (Entry& e : entries_) {
        if (e.def->id == c) {
            e.input->setFocus();
        }
    }
}

void CriteriaForm::offer(Criterion c, const QString& caption,
                         const std::vector<std::string>& names) {
    for (Entry& e : entries_) {
        if (e.def->id == c) {
            e.box->box()->setText(caption);
            if (auto* list = qobject_cast<QComboBox*>(e.input)) {
                fillNames(list, names, "");
            }
        }
    }
}

void CriteriaForm::addBox(QWidget* box, bool wholeRow) {
    if (wholeRow) {
        if (col_ != 0) {
            ++row_;
            col_ = 0;
        }
        grid_->addWidget(box, row_++, 0, 1, shape_.columns);
        return;
    }
    grid_->addWidget(box, row_, col_);
    if (++col_ == shape_.columns) {
        col_ = 0;
        ++row_;
    }
}

}  // namespace fennory::ui
