// Placeholder: the line conventions on the real file system come here.
#include <doctest/doctest.h>
