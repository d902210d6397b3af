#pragma once
// The program's own control classes, registered with the toolkit's control
// factory at start-up so that layouts can name them.
namespace tarn {

// Registers every class of the table in control_classes.cpp, in its order.
void RegisterControlClasses();

}  // namespace tarn
