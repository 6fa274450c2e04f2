#pragma once

#include <vector>

// The curve of one recalculation.
using TDoubleArray = std::vector<double>;
