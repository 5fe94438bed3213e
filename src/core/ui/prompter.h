#pragma once
// Every message box and question of the program goes through a Prompter, so
// that tests can answer questions and read what was shown.

#include <QString>

class QWidget;

namespace fennory::ui {

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void info(const QString& text, const QString& title = QStringLiteral("提示")) = 0;
    virtual void warn(const QString& text, const QString& title = QStringLiteral("警告")) = 0;
    // Yes/No with No preselected; true for Yes.
    virtual bool ask(const QString& text, const QString& title) = 0;
};

class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void info(const QString& text, const QString& title = QStringLiteral("提示")) override;
    void warn(const QString& text, const QString& title = QStringLiteral("警告")) override;
    bool ask(const QString& text, const QString& title) override;

private:
    QWidget* parent_;
};

// Saves the input, first asking each question the save puts (a new account,
// say); yes saves again with the question's subject agreed to. A "否" gives
// back a check without a message: nothing was saved, and the view only puts the
// cursor back in the field.
template <class Input, class Save>
auto saveAsking(Prompter& p, Input in, Save save) {
    for (;;) {
        auto r = save(in);
        if (!r.asks() || !p.ask(QString::fromStdString(r.question), QStringLiteral("提示"))) {
            return r;
        }
        in.agreedAccounts.push_back(r.subject);
    }
}

// The confirmation every deletion asks.
bool askDelete(Prompter& p);

QString qs(const std::string& s);
std::string ss(const QString& s);

}  // namespace fennory::ui
