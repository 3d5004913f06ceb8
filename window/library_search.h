// Where Windows may look for the libraries that load after start-up.
#pragma once

// Lets libraries load from the system folder only, never from the exe's
// folder, the working folder or the search path. Called first thing at
// start-up; where the system cannot restrict the search as a whole, at least
// the working folder is taken out of it.
void RestrictLibrarySearch();
