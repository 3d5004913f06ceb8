// Reading the program's command line without the shell's library.
#pragma once

// Whether anything follows the program's own name. The name is read as
// CommandLineToArgvW reads it: up to the next quote when it starts with one,
// else up to the first blank or tab.
bool CommandLineHasArguments(const wchar_t* line);
