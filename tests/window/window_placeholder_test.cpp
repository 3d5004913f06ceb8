// Placeholder: tests of the real window come here.
#include <doctest/doctest.h>
