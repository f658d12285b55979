// The solver combo box of the design windows.
#include "solver_choice.h"

#include <QComboBox>

namespace quarn {

QComboBox* makeSolverChoice(QWidget* parent) {
    auto* choice = new QComboBox(parent);
    choice->setObjectName(QStringLiteral("Solver"));
    choice->addItem(QStringLiteral("Precise solver"), int(SolverKind::Precise));
    choice->addItem(QStringLiteral("Classic solver"), int(SolverKind::Classic));
    const QString hint = QStringLiteral(
        "Precise: every loop closed exactly, events at their exact crossing. Classic: the "
        "solver the animation and the diagrams use, with its grain of about 0.0013");
    choice->setToolTip(hint);
    choice->setStatusTip(hint);
    choice->setAccessibleName(QStringLiteral("Solver"));
    return choice;
}

SolverKind chosenSolver(const QComboBox* choice) {
    return static_cast<SolverKind>(choice->currentData().toInt());
}

}  // namespace quarn
