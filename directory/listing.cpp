// Placeholder until the listing is built.
#include "directory/listing.h"

std::string ListingLine(const DialEntry&) { return {}; }
void PrintListing(ProgramState&) {}
bool LaunchProgram(const std::string&, const std::string&, const std::string&) { return false; }
