#pragma once
// Every Qt warning a GUI test function provokes (QFont, QPainter, layouts,
// widgets ...) fails that test; call FailOnQtWarnings() from the test
// class's init().  Warnings about the test machine itself, not the
// program, are let through: no XDG runtime folder, and what the offscreen
// platform cannot do (raise windows, grab the keyboard, size by hint).

#include <QRegularExpression>
#include <QTest>

namespace qelvar {

inline void FailOnQtWarnings() {
    static const QRegularExpression anyButMachine(
        QStringLiteral("^(?!QStandardPaths: XDG_RUNTIME_DIR|This plugin does not support )"));
    QTest::failOnWarning(anyButMachine);
}

}  // namespace qelvar
