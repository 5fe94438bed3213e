#pragma once
// Finds a screen's widget by its object name, as a person finds it by its
// place: the screens keep their widgets to themselves.

#include <QObject>
#include <QtGlobal>

namespace fennory::testing {

// The one child of `parent` of type T named `name`; a missing or ambiguous
// name stops the test program, since every check after it would be void.
template <class T>
T* named(const QObject& parent, const char* name) {
    const auto found = parent.findChildren<T*>(QString::fromLatin1(name));
    if (found.size() != 1) {
        qFatal("%lld widgets named %s", static_cast<long long>(found.size()), name);
    }
    return found.front();
}
template <class T>
T* named(const QObject* parent, const char* name) {
    return named<T>(*parent, name);
}

}  // namespace fennory::testing
