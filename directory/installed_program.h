// Where the programs that the system starts are installed. Only the places
// where Windows itself puts them count: a program of the same name in the
// exe's folder, the working folder or on the search path is never chosen.
#pragma once
#include <string>

// The full path of program: a full path given by the caller when that file
// exists, or for "wordpad.exe" and "notepad.exe" the first of their
// installed places that holds the file. Empty when none does.
std::string InstalledProgramPath(const std::string& program);
