#pragma once
// A Prompter for tests: records every message and answers questions from a
// script (No when the script is empty).

#include <QString>
#include <QStringList>

#include <deque>

#include "core/ui/prompter.h"

namespace fennory::testing {

class ScriptedPrompter : public ui::Prompter {
public:
    void info(const QString& text, const QString&) override { shown << text; }
    void warn(const QString& text, const QString&) override { shown << text; }
    bool ask(const QString& text, const QString& title) override {
        asked << title + QStringLiteral(": ") + text;
        if (answers.empty()) {
            return false;
        }
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    QString last() const { return shown.isEmpty() ? QString() : shown.back(); }

    QStringList shown;
    QStringList asked;
    std::deque<bool> answers;
};

}  // namespace fennory::testing
