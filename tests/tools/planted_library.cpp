// A library that the tests put where a search by name would find it (beside
// the exe, in the working folder), to see whether the program would load it.
extern "C" __declspec(dllexport) int PlantedLibraryMark() { return 16; }
