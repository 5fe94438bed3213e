#pragma once
// The one boundary of a user action. Every slot a person can set off (a
// button, a menu row, a key in a field) runs inside `runGuarded`: an error
// that escapes the action is caught there, before it could cross Qt's
// signal machinery, its engine text is written to the error log, and the
// user reads one sentence in Chinese. A failure after the action's commit is
// reported as saved, never as undone.

#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <type_traits>
#include <utility>

namespace fennory::ui {

// Where failures go; set once by the program (and by tests).
struct FailureSink {
    std::filesystem::path errorLog;
    // The data file's count of commits, to tell a failure after a commit.
    std::function<std::uint64_t()> commits;
    // How the sentence reaches the user (a message box unless set).
    std::function<void(const QString&)> report;
};
FailureSink& failureSink();

// Runs one user action; false when it failed (and the user has been told).
bool runGuarded(const std::function<void()>& action);

// A slot that runs `f` guarded, for `connect`. It takes the signal's
// arguments `f` accepts, so Qt hands it exactly those.
template <typename F>
auto guarded(F f) {
    return [f = std::move(f)](
               auto&&... args) -> std::enable_if_t<std::is_invocable_v<F&, decltype(args)...>> {
        runGuarded([&] { f(std::forward<decltype(args)>(args)...); });
    };
}

// The same for a member function of `receiver`.
template <typename R, typename M>
requires std::is_member_function_pointer_v<M>
auto guarded(R* receiver, M member) {
    return guarded([receiver, member](auto&&... args)
                       -> std::enable_if_t<std::is_invocable_v<M, R*, decltype(args)...>> {
        std::invoke(member, receiver, std::forward<decltype(args)>(args)...);
    });
}

}  // namespace fennory::ui
