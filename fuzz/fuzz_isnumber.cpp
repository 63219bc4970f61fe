// IsNumber on any text: never fails, and its answer agrees with the value it reads.
#include "colors/Numbers.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<double> value = NumberValue(text);
    const std::optional<qint16> integer = ToInt16(text);
    if (IsNumber(text) != integer.has_value())
        std::abort();
    if (integer && (!value || std::fabs(*value - *integer) > 0.5))
        std::abort();
    return 0;
}
