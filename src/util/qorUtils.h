#pragma once

#include <QString>

// "Да" for true, "Нет" for false: the Active row of the grid and the Peak column
// of the characteristic-sample export.
QString BoolToYesNo(bool AValue);
