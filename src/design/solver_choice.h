// The choice of solver every design window offers: the precise one (its default) or the
// classic one the animation and the diagrams use, whose figures carry its grain.
#pragma once

#include "model/event_report.h"

class QComboBox;
class QWidget;

namespace quarn {

// A combo box named "Solver", the precise solver chosen.
QComboBox* makeSolverChoice(QWidget* parent);
SolverKind chosenSolver(const QComboBox* choice);

}  // namespace quarn
