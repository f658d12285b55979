// A window's child found by its object name, as the window tests click and read them.
#pragma once

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace quarn::test {

// The child called `name`; a test that names one the window lacks fails, naming it.
template <class T>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

}  // namespace quarn::test
