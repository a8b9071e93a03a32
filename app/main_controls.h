// The controls inside the main window, by their numbers (also their window IDs).
#pragma once

const int ParameterFieldNumber = 7;

// ParameterText := the whole text of the parameter field; without a field it stays.
void ReadParameterField();
