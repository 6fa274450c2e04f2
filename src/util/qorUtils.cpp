#include "util/qorUtils.h"

QString BoolToYesNo(bool AValue) {
    return AValue ? QStringLiteral("Да") : QStringLiteral("Нет");
}
