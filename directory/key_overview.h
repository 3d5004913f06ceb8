// F1: the program's keys in a message, as a plain table of text.
#pragma once
#include <string>
#include "directory/program_state.h"

std::string KeyOverviewText();
void ShowKeyOverview(ProgramState& state);
