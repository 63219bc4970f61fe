// The game-script importer on any bytes: never fails, stays within the line
// limit, and every imported line is a name line whose Time is empty or a number.
#include "animation/AnimationModel.h"
#include "colors/Numbers.h"
#include "platform/TextFile.h"
#include "script/ScriptImport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ScriptRows rows = ParseScript(SplitLines(DecodeAnsi(bytes), LineBreaks::CrLfCrOrLf));
    if (rows.lines.size() > AnimationModel::MaxLines)
        std::abort();
    for (const AnimationLine &line : rows.lines) {
        if (line.action != QLatin1String("set name") || line.text.contains(QLatin1Char('"'))
            || (!line.time.isEmpty() && !IsNumber(line.time)))
            std::abort();
    }
    return 0;
}
