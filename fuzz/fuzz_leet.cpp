// The leet.ini reader on any bytes: never fails, and no key holds an "=" or
// blanks at the ends of its line.
#include "platform/TextFile.h"
#include "transforms/LeetTable.h"
#include "transforms/TextTransforms.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QVector<LeetEntry> entries = ParseLeetLines(SplitLines(DecodeAnsi(bytes), LineBreaks::CrLfCrOrLf));
    for (const LeetEntry &entry : entries) {
        if (entry.Key.contains(QLatin1Char('=')) || entry.Value.contains(QLatin1Char('=')))
            std::abort();
    }
    return 0;
}
